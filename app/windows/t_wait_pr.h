// The print wait window ("ОЖИДАЙТЕ"): builds the report and carries out the
// step of its mode inside the first tick of tInit, yielding to the event loop
// every 100 rows so that F10 in Memo_Stop stops it; closes itself after.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "app/windows/app_context.h"
#include "app/windows/qt_event_pump.h"
#include "report/print_wait.h"

namespace zt::app {

// The report window's print timer (Timer1), which opens the print dialog.
struct PrintTimerSwitch {
  std::function<void(int sheets)> arm;
  std::function<void()> disarm;
};

class TWaitPr final : public QDialog {
  Q_OBJECT

 public:
  // printTimer: armed with the number of sheets when a report to print was
  // paginated, disarmed again by a stop before the window closes.
  TWaitPr(AppContext& context, report::ReportMode mode, report::ReportRequest request,
          report::ReportPreview& preview, PrintTimerSwitch printTimer, QWidget* parent = nullptr);

  // True while the tInit tick runs the build.
  bool Building() const { return building_; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void tInitTimer();
  void tCloseTimer();
  void tmStopPrintErrorTimer();

  QtEventPump pump_;
  report::PrintWait wait_;
  PrintTimerSwitch printTimer_;
  QLineEdit* Memo_Stop = nullptr;
  QTimer tInit;
  QTimer tClose;
  QTimer tmStopPrintError;
  bool building_ = false;
  bool stopTold_ = false;
  bool printArmed_ = false;
};

}  // namespace zt::app
