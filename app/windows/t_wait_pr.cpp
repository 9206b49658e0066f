#include "app/windows/t_wait_pr.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"

namespace zt::app {

TWaitPr::TWaitPr(AppContext& context, report::ReportMode mode, report::ReportRequest request,
                 report::ReportPreview& preview, PrintTimerSwitch printTimer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      wait_({context.tables, context.image, context.clock, context.messages, pump_, context.state.files,
             context.print, preview},
            mode, std::move(request)),
      printTimer_(std::move(printTimer)) {
  setObjectName(QStringLiteral("WaitPr"));
  setWindowTitle(QStringLiteral("ОЖИДАЙТЕ"));
  setAccessibleName(windowTitle());
  setFixedSize(293, 122);
  CentreOnScreen(*this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* Panel1 = new QLabel(QStringLiteral("ОЖИДАЙТЕ"), this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAccessibleName(Panel1->text());
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QFont big = Panel1->font();
  big.setPointSize(20);
  big.setBold(true);
  big.setItalic(true);
  Panel1->setFont(big);
  Panel1->setStyleSheet(QStringLiteral("color: navy;"));
  auto* inner = new QVBoxLayout(Panel1);
  inner->addStretch(1);
  Memo_Stop = new QLineEdit(Panel1);
  Memo_Stop->setObjectName(QStringLiteral("Memo_Stop"));
  Memo_Stop->setAccessibleName(QStringLiteral("Memo_Stop"));
  Memo_Stop->setFrame(false);
  Memo_Stop->setReadOnly(true);
  Memo_Stop->setStyleSheet(QStringLiteral("background: transparent; color: transparent;"));
  Memo_Stop->installEventFilter(this);
  inner->addWidget(Memo_Stop);
  auto* Label1 = new QLabel(QStringLiteral("Останов  - клавиша   \"F10\""), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(Label1->text());
  Label1->setStyleSheet(QStringLiteral("color: maroon;"));
  inner->addWidget(Label1);
  layout->addWidget(Panel1);
  Memo_Stop->setFocus();

  tInit.setInterval(100);
  connect(&tInit, &QTimer::timeout, this, &TWaitPr::tInitTimer);
  tClose.setInterval(100);
  connect(&tClose, &QTimer::timeout, this, &TWaitPr::tCloseTimer);
  tmStopPrintError.setInterval(50);
  connect(&tmStopPrintError, &QTimer::timeout, this, &TWaitPr::tmStopPrintErrorTimer);
  tInit.start();
}

void TWaitPr::tInitTimer() {
  tInit.stop();
  building_ = true;
  wait_.InitTick();
  building_ = false;
  if (wait_.PrintTimerEnabled() && wait_.Paginated() && printTimer_.arm) {
    printArmed_ = true;
    printTimer_.arm(wait_.Paginated()->sheets);
  }
  if (wait_.CloseTimerEnabled()) tClose.start();
}

void TWaitPr::tCloseTimer() {
  tClose.stop();
  if (wait_.CloseTick()) accept();
}

void TWaitPr::tmStopPrintErrorTimer() {
  tmStopPrintError.stop();
  wait_.StopMessageTick();
}

bool TWaitPr::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo_Stop && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F10) {
      wait_.Key(report::kStopKeyCode);
      // Key-down and key-up both stop; the operator is told once.
      if (wait_.StopMessageTimerEnabled() && !stopTold_) {
        stopTold_ = true;
        tmStopPrintError.start();
      }
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TWaitPr::keyPressEvent(QKeyEvent* event) {
  // Only F10 stops; Esc does not close the window under a running build.
  event->accept();
}

void TWaitPr::done(int result) {
  // A box shown while closing must not let a timer close the window again.
  tClose.stop();
  tmStopPrintError.stop();
  wait_.Closing();
  if (printArmed_ && !wait_.PrintTimerEnabled() && printTimer_.disarm) printTimer_.disarm();
  printArmed_ = false;
  QDialog::done(result);
}

}  // namespace zt::app
