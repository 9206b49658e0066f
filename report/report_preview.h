// Where the report window shows a report: its read-only preview.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zt::report {

class ReportPreview {
 public:
  virtual ~ReportPreview() = default;
  virtual void Clear() = 0;
  virtual void AppendLine(std::string_view line) = 0;  // Windows-1251
};

// Keeps the lines (tests, the command-line tool).
class LinesPreview final : public ReportPreview {
 public:
  void Clear() override { lines.clear(); }
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

}  // namespace zt::report
