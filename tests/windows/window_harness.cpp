#include "tests/windows/window_harness.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTableView>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPixmap>
#include <QTest>

#include "app/windows/tf_sel_rs.h"

#include "app/windows/text_codec.h"
#include "core/archive_decoder.h"
#include "core/protocol_log.h"

namespace zt::wintest {

namespace {

const char* const kHeaderLabels[kHeaderFieldCount] = {"stSerNum_ZT", "stQuanSens", "stVers_ZT", "stFactory",
                                                      "stTube",      "stMeter",    "stDate"};

QString LabelText(const std::string& text) { return app::FromCp1251(std::string_view(text).substr(0, text.find('\0'))); }

}  // namespace


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
  QStringList open;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != box && w->isVisible() && !w->objectName().isEmpty()) open << w->objectName();
  messages_.push_back({box->icon(), box->text(), open});
  if (onMessage_) onMessage_(*box);
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

void StepCancelSearch(ScenarioDriver& driver) {
  driver.Step("search window", [] { return Modal<app::TfSel_RS>() != nullptr; },
              [] {
                SaveScreenshot(*Modal<app::TfSel_RS>(), "search_window");
                QTest::keyClick(Modal<app::TfSel_RS>(), Qt::Key_Escape);
              });
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
    SaveScreenshot(*Modal<app::TZagrFile>(), "load_window");
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

void CheckShown(ScenarioDriver& driver, app::TfZetl& main, const ExpectedImage& expected) {
  for (std::size_t i = 0; i < kHeaderFieldCount; ++i)
    driver.Check(main.findChild<QLabel*>(kHeaderLabels[i])->text() == LabelText(expected.image.header[i]),
                 QStringLiteral("header label %1").arg(kHeaderLabels[i]));
  const struct {
    const char* view;
    const ArchiveTable& table;
  } tables[] = {{"sg_DateArc", expected.tables.time}, {"sg_CurArc", expected.tables.operational}};
  for (const auto& t : tables) {
    const QAbstractItemModel* model = main.findChild<QTableView*>(t.view)->model();
    driver.Check(static_cast<std::size_t>(model->rowCount()) + 1 == t.table.RowCount(), QString(t.view) + " rows");
    driver.Check(static_cast<std::size_t>(model->columnCount()) + 1 == t.table.ColumnCount(), QString(t.view) + " columns");
    int wrong = 0;
    for (std::size_t row = 0; row < t.table.RowCount(); ++row)
      for (std::size_t col = 0; col < t.table.ColumnCount(); ++col) {
        const QString want = app::FromCp1251(t.table.Cell(col, row));
        QString shown;
        if (row == 0 && col == 0) continue;  // the corner title is drawn over the corner
        if (row == 0) shown = model->headerData(static_cast<int>(col) - 1, Qt::Horizontal, Qt::DisplayRole).toString();
        else if (col == 0) shown = model->headerData(static_cast<int>(row) - 1, Qt::Vertical, Qt::DisplayRole).toString();
        else shown = model->index(static_cast<int>(row) - 1, static_cast<int>(col) - 1).data().toString();
        if (shown != want) ++wrong;
      }
    driver.Check(wrong == 0, QStringLiteral("%1: %2 cells differ").arg(t.view).arg(wrong));
  }
}

void SaveAs(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& chosen,
            std::function<void(QFileDialog&)> inspect) {
  driver.Step("СОХРАНИТЬ", [&main] { return InFront(main); }, [&main] {
    QTimer::singleShot(0, main.findChild<QAction*>("SaveFile"), &QAction::trigger);
  });
  driver.Step("save dialog", [] { return Modal<QFileDialog>() != nullptr; }, [chosen, inspect] {
    if (inspect) inspect(*Modal<QFileDialog>());
    Modal<QFileDialog>()->selectFile(QString::fromStdString(chosen.string()));
    static_cast<QDialog*>(Modal<QFileDialog>())->accept();
  });
  driver.Step("saved", [&main] { return InFront(main); }, [] {});
}

}  // namespace zt::wintest
