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

bool SubstitutePrinter::BeginTextJob(const SheetSize& sheet) {
  if (CurrentIndex() < 0) return false;
  jobs_.push_back({font_, model_.names[static_cast<std::size_t>(model_.current)], {}, 1, false});
  inJob_ = true;
  sheet_ = sheet;
  layout_.reset();
  return true;
}

void SubstitutePrinter::BeginSheet() {
  // Before the job's first line there is no page to leave.
  if (layout_) layout_->BeginSheet();
}

void SubstitutePrinter::PrintTextLine(std::string_view line) {
  if (!inJob_) return;
  if (!layout_) {
    layout_.emplace(sheet_, model_.pageWidth, model_.pageHeight, LinePitch(model_.textHeight), model_.averageCharWidth);
    jobs_.back().scale = layout_->Scale();
  }
  auto& pages = jobs_.back().pages;
  if (layout_->PlaceLine()) pages.emplace_back();
  pages.back().emplace_back(line);
}

bool SubstitutePrinter::EndTextJob() {
  if (!inJob_) return false;
  jobs_.back().ended = true;
  inJob_ = false;
  return true;
}

}  // namespace zt::report
