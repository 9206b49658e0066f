#include "tests/windows/window_harness.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPixmap>
#include <QTest>

#include "app/windows/tf_sel_rs.h"

#include "core/archive_decoder.h"
#include "core/protocol_log.h"

namespace zt::wintest {

ProgramFolder::ProgramFolder() : files_(temp_.path()) {
  files_.EnsureFolders();
  std::filesystem::create_directories(LockFolder());
  for (const char* name : {"Q_RS.000", "Type_Ru.000", "FIOmast.000"})
    std::filesystem::copy_file(std::filesystem::path(ZT_SHIPPED_WORK) / name, files_.WorkFolder() / name);
}

void ProgramFolder::WriteWorkFile(const std::string& name, const std::string& bytes) const {
  test::WriteBytes(files_.WorkFolder() / name, bytes);
}

ScenarioDriver::ScenarioDriver(int stepTimeoutMs) : stepTimeoutMs_(stepTimeoutMs) {
  poll_.setInterval(5);
  connect(&poll_, &QTimer::timeout, this, &ScenarioDriver::Poll);
}

void ScenarioDriver::Step(QString name, std::function<bool()> ready, std::function<void()> act) {
  steps_.push_back({std::move(name), std::move(ready), std::move(act)});
}

void ScenarioDriver::Check(bool condition, const QString& what) {
  if (!condition) failures_.push_back(what);
}

void ScenarioDriver::StepExit(std::function<QWidget*()> startWindow) {
  Step(QStringLiteral("leave through ВЫХОД"), [] { return true; }, [startWindow] {
    // Closing every dialog unwinds the modal loops; the start window ends the program.
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
    if (QWidget* start = startWindow()) start->close();
  });
}

bool ScenarioDriver::AnswerMessageBox() {
  auto* box = Modal<QMessageBox>();
  if (!box || !box->isVisible()) return false;
  messages_.push_back({box->icon(), box->text()});
  QString wanted;
  if (!answers_.empty()) {
    wanted = answers_.front();
    answers_.pop_front();
  }
  QAbstractButton* press = nullptr;
  for (QAbstractButton* b : box->buttons()) {
    if (!wanted.isEmpty() ? b->text() == wanted : (b->text() == QStringLiteral("OK") || b->text() == QStringLiteral("Нет")))
      press = b;
  }
  if (!press) {
    failures_.push_back(QStringLiteral("no button \"%1\" in the box \"%2\"").arg(wanted, box->text()));
    press = box->buttons().value(0);
  }
  if (press) press->click();
  return true;
}

void ScenarioDriver::Abort(const QString& why) {
  failures_.push_back(why);
  steps_.clear();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) dialog->reject();
    else if (w->isVisible()) w->close();
  }
}

void ScenarioDriver::Poll() {
  if (AnswerMessageBox()) return;
  if (steps_.empty()) {
    finished_ = true;
    return;
  }
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (stepStartedMs_ == 0) stepStartedMs_ = now;
  Pending& step = steps_.front();
  if (!step.ready()) {
    if (now - stepStartedMs_ > stepTimeoutMs_) Abort(QStringLiteral("step timed out: ") + step.name);
    return;
  }
  // Taken off first: the action may open a modal loop inside which the next steps run.
  Pending current = std::move(step);
  steps_.pop_front();
  stepStartedMs_ = now;
  current.act();
}

bool ScenarioDriver::Run() {
  poll_.start();
  QElapsedTimer guard;
  guard.start();
  while (!finished_ && guard.elapsed() < 10 * stepTimeoutMs_) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  poll_.stop();
  if (!finished_) failures_.push_back(QStringLiteral("scenario did not end"));
  return finished_ && failures_.isEmpty();
}

void SaveScreenshot(QWidget& widget, const QString& name) {
  const QByteArray folder = qgetenv("ZT_SCREENSHOTS");
  if (folder.isEmpty()) return;
  widget.grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

bool InFront(const QWidget& window) { return QApplication::activeModalWidget() == &window; }

void OfflineProgram::CancelSearch(ScenarioDriver& driver) {
  driver.Step("search window", [] { return Modal<app::TfSel_RS>() != nullptr; },
              [] { QTest::keyClick(Modal<app::TfSel_RS>(), Qt::Key_Escape); });
}

void OpenFile(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& file,
              std::function<void(app::TZagrFile&)> whileLoading) {
  driver.Step("ОТКРЫТЬ ФАЙЛ", [&main] { return InFront(main); }, [&main] {
    // Deferred: the dialog's modal loop must not run inside the driver's step.
    QTimer::singleShot(0, main.findChild<QAction*>("rdFile"), &QAction::trigger);
  });
  driver.Step("open dialog", [] { return Modal<QFileDialog>() != nullptr; }, [file] {
    Modal<QFileDialog>()->selectFile(QString::fromStdString(file.string()));
    static_cast<QDialog*>(Modal<QFileDialog>())->accept();
  });
  driver.Step("load window", [] { return Modal<app::TZagrFile>() != nullptr; }, [whileLoading] {
    if (whileLoading) whileLoading(*Modal<app::TZagrFile>());
  });
  driver.Step("loaded", [&main] { return InFront(main); }, [] {});
}

ExpectedImage DecodeForTest(std::string bytes) {
  ExpectedImage expected;
  expected.bytes = std::move(bytes);
  NullProtocolLog log;
  DecodeImage(expected.bytes, expected.image, expected.tables, log);
  return expected;
}

}  // namespace zt::wintest
