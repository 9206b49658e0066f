// The password window: the recorder's password typed as X's, "Да"/Enter to
// send it, "Отмена"/Esc to leave; while the exchange runs a wait strip moves.
// On acceptance it closes, leaving the port open, and opens the reading
// window or the parameter editor by the operation mode.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "app/windows/app_context.h"
#include "app/windows/prepared_messages.h"
#include "app/windows/window_dispatcher.h"
#include "link/password_step.h"

namespace zt::app {

class TfPass final : public QDialog {
  Q_OBJECT

 public:
  TfPass(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent = nullptr);

  const link::PasswordStep& Step() const { return step_; }

 public slots:
  void done(int result) override;

 private:
  void bYesClick();
  void bNoClick();
  void tStepPassTimer();
  void t_prWTimer();
  void ShowWait(bool shown);

  AppContext& ctx_;
  WindowDispatcher& dispatcher_;
  // Every box of the step comes with the wait strip hidden.
  PreparedMessages messages_;
  link::PasswordStep step_;
  QLineEdit* edPass = nullptr;
  QPushButton* bYes = nullptr;
  QPushButton* bNo = nullptr;
  QWidget* pWait = nullptr;
  QProgressBar* prWait = nullptr;
  QTimer tStepPass;
  QTimer t_prW;
};

}  // namespace zt::app
