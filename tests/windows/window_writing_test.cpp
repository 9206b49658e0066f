// Writing the recorder's texts and clock through the program: allowed only
// after a complete reading in this run and only with the reading's password
// text; the parameter editor takes what the recorder keeps; the recorder's
// memory and the header show what was written.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/windows/text_codec.h"
#include "app/windows/tf_edit_zt.h"
#include "app/windows/tf_pass.h"
#include "app/windows/tf_wr_prog_par.h"
#include "app/windows/tf_zetl.h"
#include "core/cp1251.h"
#include "core/sample_image.h"
#include "link/payloads.h"
#include "sim/recorder_memory.h"
#include "tests/windows/device_steps.h"

using namespace zt;
using namespace zt::wintest;

namespace {

const QString kReadFirst = QStringLiteral("Перед записью необходимо выполнить чтение");

QLineEdit* EditorField(const char* name) { return Modal<app::TfEdit_ZT>()->findChild<QLineEdit*>(name); }

QString Label(app::TfZetl& main, const char* name) { return main.findChild<QLabel*>(name)->text(); }

// The recorder's text field as the decoder reads it, cut to the 30 characters written.
std::string RecorderText(const std::string& image, HeaderField field) {
  return DecodedHeader(image).header[field].substr(0, link::kTextPayloadLength);
}

// The PC clock as the recorder would be set from it, in minutes since 2000.
std::uint32_t PcMinutes() {
  SystemClock clock;
  const std::string b = link::ClockPayload(clock);
  const auto byte = [&b](std::size_t i) { return static_cast<std::uint8_t>(b[i]); };
  return sim::ClockMinutes({byte(0), byte(1), byte(2), byte(3), byte(4), byte(5)}).value_or(0);
}

}  // namespace

class WindowWritingTest : public QObject {
  Q_OBJECT

 private slots:
  void WritingBeforeAReadingOrAfterOpeningAFileIsRefused() {
    const std::string memory = GenerateSampleImage(21);
    RecorderProgram p(memory);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    const auto file = p.folder.Files().ReportFolder() / "other.zt";
    test::WriteBytes(file, GenerateSampleImage(22));

    ScenarioDriver driver;
    Command(driver, main, "mZT_Write");
    driver.Step("refused at start", [&] { return driver.Messages().size() == 1 && InFront(main); }, [] {});
    ReadRecorder(driver, main);
    OpenFile(driver, main, file);
    Command(driver, main, "mZT_Write");
    driver.Step("refused after a file", [&] { return driver.Messages().size() == 2 && InFront(main); }, [&] {
      for (const ShownMessage& m : driver.Messages()) {
        driver.Check(m.text == kReadFirst, m.text);
        driver.Check(m.icon == QMessageBox::Critical, "an error box");
      }
      driver.Check(p.recorder.Image() == memory, "the recorder untouched");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void WritesTheThreeTextsAndSetsTheClock() {
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(23));
    RecorderProgram p(expected.bytes);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    const QString enterprise = QStringLiteral("Завод №5 «Юг»");
    const QString branch = QStringLiteral("Ветка-Б");
    const QString meter = QStringLiteral("Счётчик G25");
    std::uint32_t before = 0;

    ScenarioDriver driver;
    ReadRecorder(driver, main);
    Command(driver, main, "mZT_Write");
    EnterPassword(driver, "1234");
    driver.Step("editor", [] { return Modal<app::TfEdit_ZT>() != nullptr; }, [&] {
      const struct {
        const char* edit;
        HeaderField field;
      } opened[] = {{"Factory", kHeaderEnterprise}, {"Tube", kHeaderBranch}, {"Meter", kHeaderMeter}};
      for (const auto& o : opened)
        driver.Check(EditorField(o.edit)->text() == app::FromCp1251(expected.image.header[o.field]),
                     QString(o.edit) + " opens with the header text");
      // Only what the recorder keeps goes in: 30 characters of its code page.
      QLineEdit* factory = EditorField("Factory");
      factory->clear();
      QTest::keyClicks(factory, QString(35, 'x'));
      driver.Check(factory->text() == QString(30, 'x'), "cut at 30 characters: " + factory->text());
      factory->clear();
      TypeText(factory, QStringLiteral("Завод №5 中«Юг»😀"));
      driver.Check(factory->text() == enterprise, "characters outside the code page refused: " + factory->text());
      factory->insert(QStringLiteral("\t"));
      driver.Check(factory->text() == enterprise, "control characters refused: " + factory->text());
      EditorField("Tube")->setText(branch);
      EditorField("Meter")->clear();
      TypeText(EditorField("Meter"), meter);
      Modal<app::TfEdit_ZT>()->findChild<QCheckBox*>("chDateTime")->setChecked(true);
      SaveScreenshot(*Modal<app::TfEdit_ZT>(), "editor_window");
      before = PcMinutes();
      QTimer::singleShot(0, EditorField("Meter"), [] { QTest::keyClick(EditorField("Meter"), Qt::Key_Return); });
    });
    driver.Step("header shows the texts", [&] { return Modal<app::TfWrProgPar>() != nullptr; }, [&] {
      driver.Check(Modal<app::TfWrProgPar>()->windowTitle() == "Запись данных - \"Регистратор магнитного поля\"", "title");
      SaveScreenshot(*Modal<app::TfWrProgPar>(), "writing_window");
      driver.Check(Label(main, "stFactory") == enterprise, "stFactory " + Label(main, "stFactory"));
      driver.Check(Label(main, "stTube") == branch, "stTube " + Label(main, "stTube"));
      driver.Check(Label(main, "stMeter") == meter, "stMeter " + Label(main, "stMeter"));
    });
    driver.Step("written", [&] { return !driver.Messages().isEmpty() && InFront(main); }, [&] {
      driver.Check(driver.Messages().size() == 1, "one message");
      driver.Check(driver.Messages().front().text == "Запись норма", driver.Messages().front().text);
      driver.Check(driver.Messages().front().icon == QMessageBox::Information, "an information box");
      driver.Check(driver.Messages().front().windowsOpen.contains("fWrProgPar"), "the window closes after the answer");
      const std::string memory = p.recorder.Image();
      driver.Check(RecorderText(memory, kHeaderEnterprise) == link::TextPayload(app::ToCp1251(enterprise)), "enterprise written");
      driver.Check(RecorderText(memory, kHeaderBranch) == link::TextPayload(app::ToCp1251(branch)), "branch written");
      driver.Check(RecorderText(memory, kHeaderMeter) == link::TextPayload(app::ToCp1251(meter)), "meter written");
      const std::uint32_t set = sim::RecorderMemory(memory).Clock(), after = PcMinutes();
      driver.Check(set >= before && set <= after, QStringLiteral("recorder clock %1 not in %2..%3").arg(set).arg(before).arg(after));
      driver.Check(p.Context().state.deviceRead, "writing again stays allowed");
      driver.Check(p.Context().channel.IsOpen(), "the port stays open for the next password");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void AnotherPasswordTextIsRefusedWithoutSendingAndCancelWritesNothing() {
    const std::string memory = GenerateSampleImage(24);
    RecorderProgram p(memory);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    // The send indicator steps once a frame.
    const ActivitySteps sends(main, "prWr");
    int sendsBefore = 0;
    QString headerBefore;

    ScenarioDriver driver;
    ReadRecorder(driver, main);
    Command(driver, main, "mZT_Write");
    driver.Step("count", [] { return Modal<app::TfPass>() != nullptr; }, [&] {
      sendsBefore = sends.Steps();
      headerBefore = Label(main, "stFactory");
    });
    // The same digits with a blank: not the reading's text.
    EnterPassword(driver, " 1234");
    driver.Step("refused", [&] { return driver.Messages().size() == 1 && Modal<app::TfPass>(); }, [&] {
      driver.Check(driver.Messages().front().text == "Ошибка пароля!!!", driver.Messages().front().text);
      driver.Check(sends.Steps() == sendsBefore, "nothing sent");
      driver.Check(!p.Context().channel.IsOpen(), "port not opened");
    });
    EnterPassword(driver, "1234");
    driver.Step("editor", [] { return Modal<app::TfEdit_ZT>() != nullptr; }, [&] {
      EditorField("Factory")->setText("changed");
      Modal<app::TfEdit_ZT>()->findChild<QCheckBox*>("chDateTime")->setChecked(true);
      QTest::keyClick(EditorField("Factory"), Qt::Key_Escape);
    });
    driver.Step("cancelled", [&] { return InFront(main); }, [&] {
      driver.Check(sends.Steps() == sendsBefore + 1, "only the password sent");
      driver.Check(Label(main, "stFactory") == headerBefore, "header unchanged");
      driver.Check(!p.Context().clockCorrection, "no clock correction");
      driver.Check(driver.Messages().size() == 1, "no further message");
    });
    // Nothing opens the writing window later either: well past the 50 ms of the deferred open.
    QElapsedTimer sinceCancel;
    driver.Step("start the wait", [] { return true; }, [&] { sinceCancel.start(); });
    driver.Step("no writing window", [&] { return sinceCancel.elapsed() > 300; }, [&] {
      driver.Check(Modal<app::TfWrProgPar>() == nullptr && InFront(main), "no writing");
      driver.Check(p.recorder.Image() == memory, "the recorder untouched");
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void RecorderErrorStopsTheWritingWithItsText() {
    const std::string memory = GenerateSampleImage(25);
    sim::SimulatorSettings settings;
    // Replies: Identify, password, 512 pages, password, enterprise; the branch's is an error.
    settings.faults.errorReplies[1 + 1 + 512 + 1 + 1 + 1] = 0x08;
    RecorderProgram p(memory, settings);
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();

    ScenarioDriver driver;
    ReadRecorder(driver, main);
    QString branchBefore, meterBefore;
    Command(driver, main, "mZT_Write");
    EnterPassword(driver, "1234");
    driver.Step("editor", [] { return Modal<app::TfEdit_ZT>() != nullptr; }, [&] {
      branchBefore = Label(main, "stTube");
      meterBefore = Label(main, "stMeter");
      EditorField("Factory")->setText("new enterprise");
      EditorField("Tube")->setText("new branch");
      EditorField("Meter")->setText("new meter");
      QTimer::singleShot(0, Modal<app::TfEdit_ZT>()->findChild<QPushButton*>("Yes"), &QPushButton::click);
    });
    driver.Step("failed", [&] { return !driver.Messages().isEmpty() && InFront(main); }, [&] {
      driver.Check(driver.Messages().front().text == "Ошибка RS - ошибка записи во флеш", driver.Messages().front().text);
      driver.Check(driver.Messages().front().icon == QMessageBox::Critical, "an error box");
      const std::string now = p.recorder.Image();
      driver.Check(RecorderText(now, kHeaderEnterprise) == link::TextPayload("new enterprise"), "enterprise written");
      driver.Check(RecorderText(now, kHeaderMeter) == RecorderText(memory, kHeaderMeter), "meter not sent");
      // The header shows what the recorder holds: only the acknowledged text is new.
      driver.Check(Label(main, "stFactory") == "new enterprise", "stFactory " + Label(main, "stFactory"));
      driver.Check(Label(main, "stTube") == branchBefore, "stTube " + Label(main, "stTube"));
      driver.Check(Label(main, "stMeter") == meterBefore, "stMeter " + Label(main, "stMeter"));
    });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowWritingTest)

#include "window_writing_test.moc"
