#include "report/substitute_printer.h"

#include <utility>

namespace zt::report {

SubstitutePrinter::SubstitutePrinter(SubstitutePrinterModel model) : model_(std::move(model)) {
  if (model_.names.empty()) model_.current = -1;
}

int SubstitutePrinter::CurrentIndex() const {
  if (model_.current < 0 || model_.current >= static_cast<int>(model_.names.size())) return -1;
  return model_.current;
}

void SubstitutePrinter::SetCurrentIndex(int index) {
  if (index >= 0 && index < static_cast<int>(model_.names.size())) model_.current = index;
}

void SubstitutePrinter::SetFont(const PrinterFont& font) {
  font_ = font;
  if (inJob_) jobs_.back().font = font;
}

int SubstitutePrinter::TextHeight(std::string_view text) const { return text.empty() ? 0 : model_.textHeight; }

bool SubstitutePrinter::BeginTextJob() {
  if (CurrentIndex() < 0) return false;
  jobs_.push_back({font_, model_.names[static_cast<std::size_t>(model_.current)], {}, false});
  inJob_ = true;
  y_ = 0;
  return true;
}

void SubstitutePrinter::PrintTextLine(std::string_view line) {
  if (!inJob_) return;
  auto& pages = jobs_.back().pages;
  const int pitch = LinePitch(model_.textHeight);
  if (pages.empty() || PageFull(y_, pitch, model_.pageHeight)) {
    pages.emplace_back();
    y_ = 0;
  }
  pages.back().emplace_back(line);
  y_ += pitch;
}

void SubstitutePrinter::EndTextJob() {
  if (!inJob_) return;
  jobs_.back().ended = true;
  inJob_ = false;
}

}  // namespace zt::report
