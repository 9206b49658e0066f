// The record detail window ("ПОДСКАЗКА"): one archive row in words, closed by
// any key or click.
#pragma once

#include <QDialog>
#include <QTextEdit>
#include <cstddef>

#include "app/windows/app_context.h"

namespace zt::app {

class TfHelpGr final : public QDialog {
  Q_OBJECT

 public:
  // kind 1 time archive, 2 operational archive; row: the table's current row.
  TfHelpGr(const AppContext& context, ArchiveKind kind, std::size_t row, QWidget* parent = nullptr);

  QTextEdit* EditHelp() const { return editHelp; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QTextEdit* editHelp = nullptr;
};

}  // namespace zt::app
