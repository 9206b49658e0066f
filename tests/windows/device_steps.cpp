#include "tests/windows/device_steps.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_pass.h"
#include "app/windows/tf_rd_zt.h"
#include "app/windows/tz_agr_file.h"
#include "link/com_port_names.h"

namespace zt::wintest {

RecorderProgram::RecorderProgram(std::string image, sim::SimulatorSettings settings, int baud)
    : recorder(std::move(image), std::move(settings), baud),
      program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}}) {
  folder.WriteWorkFile("ZT_RS.000", std::to_string(kRecorderCom) + "\r\n");
}

bool RecorderProgram::Start() {
  return recorder.Start(folder.Files().PortLink(kRecorderCom)) && program.Start();
}

ActivitySteps::ActivitySteps(app::TfZetl& main, const char* indicator) {
  auto* bar = main.findChild<QProgressBar*>(QString::fromLatin1(indicator));
  shown_ = bar->value();
  QObject::connect(bar, &QProgressBar::valueChanged, [this](int value) {
    constexpr int kPositions = 11;  // 0, 10, ..., 100
    steps_ += (value / 10 - shown_ / 10 + kPositions) % kPositions;
    shown_ = value;
  });
}

void Command(ScenarioDriver& driver, app::TfZetl& main, const char* action) {
  driver.Step(QString::fromLatin1(action), [&main] { return InFront(main); }, [&main, action] {
    QTimer::singleShot(0, main.findChild<QAction*>(QString::fromLatin1(action)), &QAction::trigger);
  });
}

void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void EnterPassword(ScenarioDriver& driver, const QString& text) {
  driver.Step("password " + text, [] { return Modal<app::TfPass>() && !Modal<app::TfPass>()->Step().Waiting(); },
              [text] {
                auto* entry = Modal<app::TfPass>()->findChild<QLineEdit*>("edPass");
                entry->clear();
                QTest::keyClicks(entry, text);
                QTimer::singleShot(0, entry, [entry] { QTest::keyClick(entry, Qt::Key_Return); });
              });
}

void ReadRecorder(ScenarioDriver& driver, app::TfZetl& main, const QString& password) {
  Command(driver, main, "mZT_Read");
  EnterPassword(driver, password);
  ReadAndLoad(driver, main);
}

void ReadAndLoad(ScenarioDriver& driver, app::TfZetl& main) {
  driver.Step("reading window", [] { return Modal<app::TfRd_ZT>() != nullptr; }, [] {});
  driver.Step("load window", [] { return Modal<app::TZagrFile>() != nullptr; }, [] {});
  driver.Step("loaded", [&main] { return InFront(main); }, [] {});
}

DecodedImage DecodedHeader(const std::string& image) {
  DecodedImage decoded;
  DecodeParameterBlock(std::string_view(image).substr(kParameterBlock.start, kParameterBlock.size), decoded);
  return decoded;
}

}  // namespace zt::wintest
