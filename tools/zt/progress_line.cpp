#include "tools/zt/progress_line.h"

#include <algorithm>

namespace zt::cli {

std::string ProgressText(std::string_view what, int done, int total, std::string_view unit) {
  std::string text(what);
  text += ": " + std::to_string(done) + " of " + std::to_string(total) + " ";
  text += unit;
  return text;
}

void ProgressLine::Show(const std::string& text) {
  if (text.empty()) return Clear();
  if (!shown_ || text == last_) return;
  // Blanks over what a longer text before left.
  const std::size_t blanks = width_ > text.size() ? width_ - text.size() : 0;
  out_ << '\r' << text << std::string(blanks, ' ') << std::flush;
  width_ = std::max(width_, text.size());
  last_ = text;
}

void ProgressLine::Clear() {
  if (!shown_ || width_ == 0) return;
  out_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  width_ = 0;
  last_.clear();
}

}  // namespace zt::cli
