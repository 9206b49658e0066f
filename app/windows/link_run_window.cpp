#include "app/windows/link_run_window.h"

#include <QVBoxLayout>

#include "app/windows/gauge_style.h"
#include "app/windows/plain_button.h"
#include "app/windows/release_keys.h"

namespace zt::app {

namespace {

constexpr int kInitMs = 100;

Qt::WindowFlags FlagsOf(bool closeBox) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeBox) flags |= Qt::WindowCloseButtonHint;
  return flags;
}

}  // namespace

LinkRunWindow::LinkRunWindow(const LinkRunWindowLayout& layout, Messages& shown, QWidget* parent)
    : QDialog(parent, FlagsOf(layout.closeBox)), messages_(shown) {
  setObjectName(QString::fromLatin1(layout.objectName));
  setWindowTitle(layout.title);
  setAccessibleName(layout.title);
  setFixedSize(480, 110);

  auto* column = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(QStringLiteral("Label1"));
  gauge_ = MakeGauge(this, layout.gaugeName, layout.gaugeMax);
  bStop = PlainButton(this, "bStop", QStringLiteral("Стоп"));
  connect(bStop, &QPushButton::clicked, this, &LinkRunWindow::bStopClick);
  column->addWidget(Label1);
  column->addWidget(gauge_);
  column->addWidget(bStop, 0, Qt::AlignHCenter);

  init_.setObjectName(QString::fromLatin1(layout.initTimerName));
  init_.setInterval(kInitMs);
  init_.setSingleShot(true);
  connect(&init_, &QTimer::timeout, this, &LinkRunWindow::InitTimer);
  step_.setObjectName(QString::fromLatin1(layout.stepTimerName));
  step_.setInterval(layout.stepMs);
  step_.setTimerType(Qt::PreciseTimer);
  connect(&step_, &QTimer::timeout, this, &LinkRunWindow::StepTimer);
  new ReleaseKeys(*this, {}, [this] { bStopClick(); });
  init_.start();
}

void LinkRunWindow::InitTimer() {
  init_.stop();
  StartRun();
  ShowGauge();
  if (Run().Finished()) {
    End();
    return;
  }
  step_.start();
}

void LinkRunWindow::StepTimer() {
  TickRun();
  ShowGauge();
  // A run may end inside a data event, its box still up: the window waits for the answer.
  if (Run().Finished() && !messages_.Showing()) End();
}

void LinkRunWindow::ShowGauge() { gauge_->setValue(Gauge()); }

void LinkRunWindow::bStopClick() { Run().RequestStop(); }

void LinkRunWindow::End() {
  // A nested box may have let the window close first.
  if (!ended_) done(QDialog::Accepted);
}

void LinkRunWindow::done(int result) {
  if (!ended_) {
    ended_ = true;
    init_.stop();
    step_.stop();
    if (!Run().Finished()) CloseRun();
    RunEnded();
  }
  QDialog::done(result);
}

}  // namespace zt::app
