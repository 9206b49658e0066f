// The report window's preview: a read-only text box that shows report lines
// in the print font, one line each, never wrapped.
#pragma once

#include <QPlainTextEdit>

#include "report/printer.h"
#include "report/report_preview.h"

namespace zt::app {

class PreviewEdit final : public report::ReportPreview {
 public:
  explicit PreviewEdit(QWidget* parent);

  void Clear() override;
  void AppendLine(std::string_view line) override;

  void SetFont(const report::PrinterFont& font);
  QPlainTextEdit* Widget() const { return edit_; }

 private:
  QPlainTextEdit* edit_;
};

}  // namespace zt::app
