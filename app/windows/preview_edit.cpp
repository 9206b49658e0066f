#include "app/windows/preview_edit.h"

#include "app/windows/print_font.h"
#include "app/windows/text_codec.h"

namespace zt::app {

PreviewEdit::PreviewEdit(QWidget* parent) : edit_(new QPlainTextEdit(parent)) {
  edit_->setReadOnly(true);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setUndoRedoEnabled(false);
}

void PreviewEdit::Clear() { edit_->clear(); }

void PreviewEdit::AppendLine(std::string_view line) { edit_->appendPlainText(FromCp1251(line)); }

void PreviewEdit::SetFont(const report::PrinterFont& font) { edit_->setFont(ReportQFont(font)); }

}  // namespace zt::app
