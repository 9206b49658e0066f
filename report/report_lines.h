// Where report lines go, and the primitives every table is drawn with.
#pragma once

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_file.h"
#include "report/report_request.h"

namespace zt::report {

class ReportLines {
 public:
  virtual ~ReportLines() = default;
  virtual void WriteLine(std::string_view text) = 0;
  void WriteEmptyLine() { WriteLine({}); }
};

class MemoryReportLines final : public ReportLines {
 public:
  void WriteLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

// Windows-1251 lines ended by CR LF, into a file that takes the place of the
// old one at Close() (an OutputFile): until then the old one stays.
class FileReportLines final : public ReportLines {
 public:
  FileReportLines() = default;
  FileReportLines(const FileReportLines&) = delete;
  FileReportLines& operator=(const FileReportLines&) = delete;
  ~FileReportLines() override { Close(); }

  // Starts the file empty; false when it cannot be created.
  bool Create(const std::filesystem::path& path);
  void WriteLine(std::string_view text) override;
  // Puts the file in place; true when every line reached it.
  bool Close();
  bool IsOpen() const { return file_.IsOpen(); }

 private:
  bool Flush();

  OutputFile file_;
  std::string pending_;
  bool failed_ = false;
};

// The fixed text of the language.
constexpr std::string_view ByLanguage(Language language, std::string_view ukrainian, std::string_view russian) {
  return language == Language::Ukrainian ? ukrainian : russian;
}

// A text from the recorder as part of one report line: its control
// characters (CR, LF, ESC, BEL, ...) left out, so it neither splits the line
// nor acts on a printer or a terminal.
std::string WithoutControlChars(std::string_view deviceText);
// The text after that many blanks.
std::string Indented(std::size_t blanks, std::string_view text);
// "|" + text padded with blanks to width; a longer text is kept whole.
std::string ColumnCell(std::string_view text, std::size_t width);
std::string RuleLine(std::size_t length);
// The frame every table opens with: an empty line, the title, then the column
// header lines between two rule lines of their length.
void WriteTableFrame(ReportLines& out, std::string_view title, std::initializer_list<std::string_view> headerLines);
// A table row followed by a rule line of its length.
void WriteRow(ReportLines& out, std::string_view rowLine);
// "------Записей не было------" and an empty line.
void WriteNoRecordsBlock(ReportLines& out, Language language);
// The first cell of a total row, 18 characters.
std::string TotalLabel(Language language);

}  // namespace zt::report
