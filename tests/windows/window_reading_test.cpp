// Reading the recorder through the program: the password window, the reading
// window and the load of what was read. A complete reading shows exactly what
// the decoder makes of the recorder's memory and saves it byte for byte; every
// way a reading can fail or be stopped gives its message and leaves the image
// file and the data shown as they were.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/windows/tf_pass.h"
#include "app/windows/tf_rd_zt.h"
#include "app/windows/tf_zetl.h"
#include "core/sample_image.h"
#include "link/reading_run.h"
#include "tests/windows/device_steps.h"

using namespace zt;
using namespace zt::wintest;

Q_DECLARE_METATYPE(sim::FaultSchedule)

namespace {

const QString kPasswordError = QStringLiteral("Ошибка пароля!!!");

int LinesStartingWith(const QString& text, const QString& prefix) {
  int n = 0;
  for (const QString& line : text.split('\n'))
    if (line.startsWith(prefix)) ++n;
  return n;
}

// How an unfinished reading ends.
enum class Ending { StopButton, EscKey, WindowClosed, NeverAnswered, PortVanishes };

}  // namespace

class WindowReadingTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadingShowsTheRecorderAndSavesItByteForByte() {
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(11));
    RecorderProgram p(expected.bytes);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    const ActivitySteps sent(main, "prWr"), received(main, "prRd");

    ScenarioDriver driver;
    driver.Step("the hidden log switch", [&] { return InFront(main); }, [&] {
      QTest::keyClick(&main, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
      auto* debug = main.findChild<QCheckBox*>("ChDebZT");
      driver.Check(debug->isVisible(), "Ctrl+Shift+D shows the debug switch");
      debug->click();
    });
    Command(driver, main, "mZT_Read");
    driver.Step("password typed as X", [] { return Modal<app::TfPass>() != nullptr; }, [&] {
      auto* entry = Modal<app::TfPass>()->findChild<QLineEdit*>("edPass");
      QTest::keyClicks(entry, "1234");
      driver.Check(entry->displayText() == "XXXX", "shown as " + entry->displayText());
      driver.Check(entry->text() == "1234", "the typed text kept");
      SaveScreenshot(*Modal<app::TfPass>(), "password_window");
      QTimer::singleShot(0, entry, [entry] { QTest::keyClick(entry, Qt::Key_Return); });
    });
    ReadAndLoad(driver, main);
    driver.Step("shown", [] { return true; }, [&] {
      CheckShown(driver, main, expected);
      driver.Check(test::ReadBytes(p.folder.Files().ImageFile()) == expected.bytes, "image file holds the memory");
      driver.Check(p.Context().state.deviceRead, "device-read flag set");
      driver.Check(!p.Context().channel.IsOpen(), "port closed");
      driver.Check(driver.Messages().isEmpty(), "no message after a complete reading");
      // The password and 512 pages, each a frame out and at least one delivery in.
      driver.Check(sent.Steps() >= 513, QStringLiteral("send indicator: %1 steps").arg(sent.Steps()));
      driver.Check(received.Steps() >= 513, QStringLiteral("receive indicator: %1 steps").arg(received.Steps()));
      const QString log = main.findChild<QPlainTextEdit*>("mDeb")->toPlainText();
      driver.Check(LinesStartingWith(log, "-> кол.б-т=") >= 513, "each frame sent logged");
      driver.Check(LinesStartingWith(log, "<- кол.б-т=") >= 513, "each delivery logged");
    });
    const auto saved = p.folder.Files().ReportFolder() / "read.zt";
    SaveAs(driver, main, saved);
    driver.Step("saved file", [] { return true; }, [&] {
      driver.Check(test::ReadBytes(saved) == expected.bytes, "the saved file is the recorder's memory");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void PasswordRefusalsLeaveTheWindowForAnotherTry() {
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(12));
    RecorderProgram p(expected.bytes);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();

    ScenarioDriver driver;
    Command(driver, main, "mZT_Read");
    // Refused here, the port never opened: a letter, blanks only, nothing.
    for (const QString& entry : {QStringLiteral("12a4"), QStringLiteral("   ")}) EnterPassword(driver, entry);
    driver.Step("empty entry", [] { return Modal<app::TfPass>() != nullptr; },
                [] { QTimer::singleShot(0, Modal<app::TfPass>()->findChild<QPushButton*>("bYes"), &QPushButton::click); });
    driver.Step("refused locally", [&] { return driver.Messages().size() == 3 && Modal<app::TfPass>(); }, [&] {
      driver.Check(!p.Context().channel.IsOpen(), "port not opened");
    });
    // Refused by the recorder: the port closed again, the window stays.
    EnterPassword(driver, "4321");
    driver.Step("refused by the recorder", [&] { return driver.Messages().size() == 4 && Modal<app::TfPass>(); }, [&] {
      driver.Check(!p.Context().channel.IsOpen(), "port closed after the refusal");
      // The release of an Enter pressed in the message box sends nothing again.
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(Modal<app::TfPass>()->findChild<QLineEdit*>("edPass"), &release);
      driver.Check(!Modal<app::TfPass>()->Step().Waiting(), "a lone Enter release does nothing");
      for (const ShownMessage& m : driver.Messages()) {
        driver.Check(m.text == kPasswordError, "message " + m.text);
        driver.Check(m.icon == QMessageBox::Critical, "an error box");
      }
    });
    EnterPassword(driver, "1234");
    ReadAndLoad(driver, main);
    driver.Step("shown", [] { return true; }, [&] {
      CheckShown(driver, main, expected);
      driver.Check(p.Context().lastPasswordText == "1234", "the accepted text kept for writing");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // The box of an ending comes over a window whose wait strip is gone.
  void PasswordBoxesStandOverNoWaitStrip_data() {
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("message");
    QTest::newRow("refused by the recorder") << false << kPasswordError;
    QTest::newRow("no reply") << true << QStringLiteral("Ошибка нет связи с прибором!!!");
  }
  void PasswordBoxesStandOverNoWaitStrip() {
    QFETCH(bool, silent);
    QFETCH(QString, message);
    sim::SimulatorSettings settings;
    if (silent) settings.faults.silenceAfter = 1;  // the search's Identify is answered, nothing after it
    RecorderProgram p(GenerateSampleImage(14), settings);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();

    ScenarioDriver driver;
    QStringList stripShown;
    driver.OnMessage([&](QMessageBox& box) {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* pass = qobject_cast<app::TfPass*>(w); pass && pass->findChild<QWidget*>("pWait")->isVisible())
          stripShown << box.text();
    });
    Command(driver, main, "mZT_Read");
    EnterPassword(driver, silent ? "1234" : "4321");
    driver.Step("wait strip", [] { return Modal<app::TfPass>() && Modal<app::TfPass>()->Step().Waiting(); }, [&] {
      driver.Check(Modal<app::TfPass>()->findChild<QWidget*>("pWait")->isVisible(), "wait strip shown while waiting");
    });
    driver.Step("the box answered", [&] { return !driver.Messages().isEmpty() && Modal<app::TfPass>(); }, [&] {
      driver.Check(driver.Messages().size() == 1 && driver.Messages().front().text == message,
                   "message " + driver.Messages().front().text);
      driver.Check(stripShown.isEmpty(), "wait strip under the box: " + stripShown.join('|'));
      QTest::keyClick(Modal<app::TfPass>(), Qt::Key_Escape);
    });
    driver.Step("back in the main window", [&] { return InFront(main); }, [] {});
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void SilentRecorderGivesNoLink() {
    sim::SimulatorSettings silent;
    silent.faults.silenceAfter = 1;  // the search's Identify is answered, nothing after it
    RecorderProgram p(GenerateSampleImage(13), silent);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();

    ScenarioDriver driver;
    Command(driver, main, "mZT_Read");
    EnterPassword(driver, "1234");
    driver.Step("wait strip", [] { return Modal<app::TfPass>() && Modal<app::TfPass>()->Step().Waiting(); }, [&] {
      driver.Check(Modal<app::TfPass>()->findChild<QWidget*>("pWait")->isVisible(), "wait strip shown");
    });
    driver.Step("no reply", [&] { return !driver.Messages().isEmpty(); }, [&] {
      driver.Check(driver.Messages().front().text == "Ошибка нет связи с прибором!!!", driver.Messages().front().text);
    });
    driver.Step("window stays", [] { return Modal<app::TfPass>() && !Modal<app::TfPass>()->Step().Waiting(); }, [&] {
      driver.Check(!Modal<app::TfPass>()->findChild<QWidget*>("pWait")->isVisible(), "wait strip hidden");
      driver.Check(!p.Context().channel.IsOpen(), "port closed");
      QTest::keyClick(Modal<app::TfPass>(), Qt::Key_Escape);
    });
    driver.Step("back in the main window", [&] { return InFront(main); }, [&] {
      driver.Check(!p.Context().state.deviceRead, "nothing read");
      driver.Check(driver.Messages().size() == 1, "one message");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void UnfinishedReadingKeepsWhatWasShown_data() {
    QTest::addColumn<int>("ending");
    QTest::addColumn<sim::FaultSchedule>("faults");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    sim::FaultSchedule waitOnPage100;
    waitOnPage100.dropPages = {100, 100, 100};
    sim::FaultSchedule neverPage7;
    for (int send = 0; send < link::kRetriesPerFrame; ++send) neverPage7.dropPages.insert(7);
    sim::FaultSchedule vanishes;
    vanishes.vanishAfter = 60;
    const int info = QMessageBox::Information, error = QMessageBox::Critical;
    QTest::newRow("Стоп") << int(Ending::StopButton) << waitOnPage100 << "Чтение прервано" << info;
    QTest::newRow("Esc") << int(Ending::EscKey) << waitOnPage100 << "Чтение прервано" << info;
    QTest::newRow("closed") << int(Ending::WindowClosed) << waitOnPage100 << "Чтение прервано" << info;
    QTest::newRow("page never answered") << int(Ending::NeverAnswered) << neverPage7 << "Ошибка чтения!!!" << error;
    QTest::newRow("port vanishes") << int(Ending::PortVanishes) << vanishes << "Ошибка открытия порта RS!!!" << error;
  }

  void UnfinishedReadingKeepsWhatWasShown() {
    QFETCH(int, ending);
    QFETCH(sim::FaultSchedule, faults);
    QFETCH(QString, message);
    QFETCH(int, icon);
    sim::SimulatorSettings settings;
    settings.faults = faults;
    RecorderProgram p(GenerateSampleImage(14), settings);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    // What was shown before: a file opened earlier.
    const ExpectedImage before = DecodeForTest(GenerateSampleImage(15));
    const auto file = p.folder.Files().ReportFolder() / "before.zt";
    test::WriteBytes(file, before.bytes);

    ScenarioDriver driver;
    driver.Step("main window", [&] { return InFront(main); }, [] {});
    OpenFile(driver, main, file);
    Command(driver, main, "mZT_Read");
    EnterPassword(driver, "1234");
    auto reading = [] { return Modal<app::TfRd_ZT>(); };
    const auto stop = static_cast<Ending>(ending);
    if (stop == Ending::StopButton || stop == Ending::EscKey || stop == Ending::WindowClosed) {
      // The gauge counts the pages requested: 101 while page 100 waits for its reply.
      driver.Step("waiting on page 100, gauge at 101", [&] {
        return reading() && reading()->Reading().Page() == 100 &&
               reading()->findChild<QProgressBar*>("gStepRd_ZT")->value() == 101;
      }, [&, stop] {
        if (stop == Ending::StopButton) reading()->findChild<QPushButton*>("bStop")->click();
        if (stop == Ending::EscKey) QTest::keyClick(reading(), Qt::Key_Escape);
        if (stop == Ending::WindowClosed) QTimer::singleShot(0, reading(), &QWidget::close);
      });
    }
    driver.Step("ended", [&] { return !driver.Messages().isEmpty() && InFront(main); }, [&] {
      driver.Check(driver.Messages().size() == 1, QStringLiteral("%1 messages").arg(driver.Messages().size()));
      driver.Check(driver.Messages().front().text == message, driver.Messages().front().text);
      driver.Check(driver.Messages().front().icon == icon, "message kind");
      driver.Check(driver.Messages().front().windowsOpen.contains("fRd_ZT"), "the window closes after the answer");
      driver.Check(test::ReadBytes(p.folder.Files().ImageFile()) == before.bytes, "image file kept");
      CheckShown(driver, main, before);
      driver.Check(!p.Context().state.deviceRead, "device-read flag clear");
      driver.Check(!p.Context().channel.IsOpen(), "port closed");
    });
    if (stop != Ending::PortVanishes) {
      // The image file no longer stands for what is shown: nothing is saved
      // until the next complete load or reading.
      driver.Step("СОХРАНИТЬ", [&] { return InFront(main); },
                  [&] { QTimer::singleShot(0, main.findChild<QAction*>("SaveFile"), &QAction::trigger); });
      driver.Step("save refused", [&] { return driver.Messages().size() == 2 && InFront(main); }, [&] {
        driver.Check(driver.Messages().back().text == "Нет прочитанных данных!!!", driver.Messages().back().text);
      });
    }
    if (stop == Ending::PortVanishes) {
      // The program goes on: the next reading finds no port and says so.
      Command(driver, main, "mZT_Read");
      EnterPassword(driver, "1234");
      driver.Step("no port", [&] { return driver.Messages().size() == 2 && Modal<app::TfPass>(); }, [&] {
        driver.Check(driver.Messages().back().text == "Ошибка порта!!!", driver.Messages().back().text);
        QTest::keyClick(Modal<app::TfPass>(), Qt::Key_Escape);
      });
      driver.Step("main window again", [&] { return InFront(main); }, [&] { CheckShown(driver, main, before); });
    }
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // The one test at the line's own pace: the reading window as the operator sees it.
  void ReadingWindowAtTheLinePace() {
    RecorderProgram p(GenerateSampleImage(16), {}, link::kLinkBaudRate);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();

    ScenarioDriver driver;
    Command(driver, main, "mZT_Read");
    EnterPassword(driver, "1234");
    auto reading = [] { return Modal<app::TfRd_ZT>(); };
    driver.Step("a third read", [&] { return reading() && reading()->Reading().Page() >= 170; }, [&] {
      app::TfRd_ZT& window = *reading();
      auto* gauge = window.findChild<QProgressBar*>("gStepRd_ZT");
      driver.Check(window.windowTitle() == "Чтение данных - \"Регистратор магнитного поля\" ", "title");
      driver.Check(gauge->maximum() == link::kReadGaugeMax, "gauge range 0..511");
      driver.Check(window.Reading().Gauge() == window.Reading().Page() + 1, "gauge counts the pages requested");
      driver.Check(gauge->value() > 0, "gauge under way");
      SaveScreenshot(window, "reading_window");
      window.findChild<QPushButton*>("bStop")->click();
    });
    driver.Step("stopped", [&] { return !driver.Messages().isEmpty() && InFront(main); }, [&] {
      driver.Check(driver.Messages().front().text == "Чтение прервано", driver.Messages().front().text);
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowReadingTest)

#include "window_reading_test.moc"
