// A line on a terminal that counts the work of a run, rewritten in place.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zt::cli {

// "reading: 128 of 512 pages".
std::string ProgressText(std::string_view what, int done, int total, std::string_view unit);

class ProgressLine {
 public:
  // shown: out goes to a terminal; otherwise nothing is ever written.
  ProgressLine(std::ostream& out, bool shown) : out_(out), shown_(shown) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Puts the text in place of the line's last one (only when it changed); an
  // empty text clears the line.
  void Show(const std::string& text);
  // Blanks the line out and leaves the cursor at its start.
  void Clear();

 private:
  std::ostream& out_;
  bool shown_;
  std::string last_;
  std::size_t width_ = 0;
};

}  // namespace zt::cli
