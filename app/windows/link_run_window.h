// What the reading and writing windows share: an empty line, the green gauge
// and "Стоп"; a 100 ms first tick that starts the run and a 5 ms tick that
// steps it; "Стоп" and Esc as the run's stop; the window closed while the run
// goes on ends it. The window closes once the run has ended and the operator
// has answered its message.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/windows/tracked_messages.h"
#include "link/link_run.h"

namespace zt::app {

struct LinkRunWindowLayout {
  const char* objectName;
  QString title;
  const char* gaugeName;
  int gaugeMax;
  const char* initTimerName;
  const char* stepTimerName;
  int stepMs;
  bool closeBox;
};

class LinkRunWindow : public QDialog {
  Q_OBJECT

 public slots:
  void done(int result) override;

 protected:
  LinkRunWindow(const LinkRunWindowLayout& layout, Messages& shown, QWidget* parent);

  // The messages to build the run with.
  Messages& RunMessages() { return messages_; }

  virtual link::LinkRun& Run() = 0;
  virtual void StartRun() = 0;
  virtual void TickRun() = 0;
  virtual int Gauge() const = 0;
  // The window is closing while the run has not finished.
  virtual void CloseRun() = 0;
  // The run has finished and its message was answered; the window closes next.
  virtual void RunEnded() {}


 private:
  void InitTimer();
  void StepTimer();
  void bStopClick();
  void ShowGauge();
  void End();

  TrackedMessages messages_;
  QLabel* Label1 = nullptr;
  QProgressBar* gauge_ = nullptr;
  QPushButton* bStop = nullptr;
  QTimer init_;
  QTimer step_;
  bool ended_ = false;
};

}  // namespace zt::app
