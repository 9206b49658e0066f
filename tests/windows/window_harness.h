// Driving the real windows in tests: a program folder of their own, a
// simulated recorder behind Work/COM3, and a driver that plays a scenario of
// steps from inside whatever modal loop is running, answering every message
// box itself so no test ever waits on a person.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/windows/program.h"
#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_zetl.h"
#include "app/windows/tz_agr_file.h"
#include "core/archive_table.h"
#include "core/device_image.h"
#include "core/working_files.h"
#include "sim/sim_thread.h"
#include "tests/core/image_builder.h"

// Test data columns of archive kinds.
Q_DECLARE_METATYPE(zt::ArchiveKind)

namespace zt::wintest {

// Work/ with the files the program ships, Report/, and the lock folder.
class ProgramFolder {
 public:
  ProgramFolder();
  const WorkingFiles& Files() const { return files_; }
  const std::filesystem::path& Root() const { return temp_.path(); }
  std::filesystem::path LockFolder() const { return temp_.path() / "run"; }
  void WriteWorkFile(const std::string& name, const std::string& bytes) const;

 private:
  test::TempFolder temp_;
  WorkingFiles files_;
};

struct ShownMessage {
  QMessageBox::Icon icon;
  QString text;
  // The object names of the other windows open while the box was up.
  QStringList windowsOpen;
};

// Plays steps in order: each waits until its condition holds, then acts. A
// step that does not become ready in time fails the scenario, and every open
// window is closed so that the modal loops unwind.
class ScenarioDriver final : public QObject {
  Q_OBJECT

 public:
  explicit ScenarioDriver(int stepTimeoutMs = 30000);

  void Step(QString name, std::function<bool()> ready, std::function<void()> act);
  // The answer to the next message box: the caption of the button to press.
  // Without one, "OK" is pressed, or "Нет" on a confirmation.
  void Answer(QString button) { answers_.push_back(std::move(button)); }
  // Called with every message box as it stands, before it is answered.
  void OnMessage(std::function<void(QMessageBox&)> look) { onMessage_ = std::move(look); }
  // A check inside a step: a failure is recorded and reported by Run().
  void Check(bool condition, const QString& what);

  // Processes events until every step ran or the scenario failed; true on success.
  bool Run();
  // The last step: leaves the program through the main window's "ВЫХОД".
  void StepExit(std::function<QWidget*()> startWindow);

  const QList<ShownMessage>& Messages() const { return messages_; }
  const QStringList& Failures() const { return failures_; }

 private:
  struct Pending {
    QString name;
    std::function<bool()> ready;
    std::function<void()> act;
  };
  void Poll();
  bool AnswerMessageBox();
  void Abort(const QString& why);

  std::deque<Pending> steps_;
  std::deque<QString> answers_;
  std::function<void(QMessageBox&)> onMessage_;
  QList<ShownMessage> messages_;
  QStringList failures_;
  QTimer poll_;
  qint64 stepStartedMs_ = 0;
  int stepTimeoutMs_;
  bool finished_ = false;
};

// With ZT_SCREENSHOTS set to a folder, the widget as drawn goes there as NAME.png.
void SaveScreenshot(QWidget& widget, const QString& name);

// The modal window on top, if it is of the type.
template <class W>
W* Modal();

// The window is the modal one on top: nothing opened over it.
bool InFront(const QWidget& window);

// Step: the start-up search window, cancelled.
void StepCancelSearch(ScenarioDriver& driver);

// A program whose device search is cancelled at once: files only. Work files
// written before Start() are the ones start-up reads.
struct OfflineProgram {
  ProgramFolder folder;
  app::Program program{folder.Root(), {folder.LockFolder(), std::vector<std::string>{}}};
  app::TfMen_ZT& Start() { return program.StartWindow(); }
  app::TfZetl& Main() { return program.StartWindow().MainWindow(); }
};

// "ОТКРЫТЬ ФАЙЛ  *.zt" with the file chosen, then waits until the load window
// has gone; whileLoading sees the load window once it is up.
void OpenFile(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& file,
              std::function<void(app::TZagrFile&)> whileLoading = {});

// A recorder image written to a file and decoded as the program must show it.
struct ExpectedImage {
  std::string bytes;
  DecodedImage image;
  ArchiveTables tables;
};
ExpectedImage DecodeForTest(std::string bytes);

// Checks every header label and every cell of both views against the decoder's result.
void CheckShown(ScenarioDriver& driver, app::TfZetl& main, const ExpectedImage& expected);

// Steps: "СОХРАНИТЬ ФАЙЛ КАК  *.zt" with the name chosen; inspect sees the dialog first.
void SaveAs(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& chosen,
            std::function<void(QFileDialog&)> inspect = {});

}  // namespace zt::wintest

#include <QApplication>

template <class W>
W* zt::wintest::Modal() {
  return qobject_cast<W*>(QApplication::activeModalWidget());
}

// The main of a window test: one application for every slot, kept running
// while the windows of one program after another close.
#define ZT_WINDOW_TEST_MAIN(TestClass)                  \
  int main(int argc, char** argv) {                     \
    QApplication app(argc, argv);                       \
    QApplication::setQuitOnLastWindowClosed(false);     \
    TestClass test;                                     \
    return QTest::qExec(&test, argc, argv);             \
  }
