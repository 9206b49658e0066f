// The parameter editor: the enterprise, pipeline branch and meter texts as
// the recorder will take them, and the clock-correction choice. "ДА"/Enter
// stores them in the header and starts the writing once this window is gone;
// "ОТМЕНА"/Esc changes nothing.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "app/shell/parameter_editor.h"
#include "app/windows/app_context.h"

namespace zt::app {

class TfZetl;

class TfEdit_ZT final : public QDialog {
  Q_OBJECT

 public:
  TfEdit_ZT(AppContext& context, TfZetl& mainWindow, QWidget* parent = nullptr);

 public slots:
  void done(int result) override;

 private:
  void YesClick();
  void NoClick();

  AppContext& ctx_;
  TfZetl& main_;
  shell::ParameterEditor editor_;
  std::array<QLineEdit*, 3> edits_{};
  QCheckBox* chDateTime = nullptr;
  QPushButton* Yes = nullptr;
  QPushButton* No = nullptr;
  bool closed_ = false;
};

}  // namespace zt::app
