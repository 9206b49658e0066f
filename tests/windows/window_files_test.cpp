// Opening and saving device-data files through the main window: the header
// and both tables show exactly what the decoder makes of the file, and a save
// proposes the serial-number name, asks before replacing and copies the bytes.
#include <iterator>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "app/windows/app_context.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_sel_rs.h"
#include "app/windows/tf_zetl.h"
#include "app/windows/tz_agr_file.h"
#include "core/conversions.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;


class WindowFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void OpenedFileFillsHeaderAndBothTables() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(3));
    const auto file = p.folder.Files().ReportFolder() / "sample.zt";
    test::WriteBytes(file, expected.bytes);

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), file);
    driver.Step("shown", [] { return true; }, [&] {
      CheckShown(driver, p.Main(), expected);
      p.Main().resize(1280, 800);
      SaveScreenshot(p.Main(), "main_window");
      SaveScreenshot(p.Start(), "menu_window");
      driver.Check(test::ReadBytes(p.folder.Files().ImageFile()) == expected.bytes, "the opened file became the image file");
      driver.Check(driver.Messages().isEmpty(), "no message on a good file");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void SaveProposesTheSerialNameAsksBeforeReplacingAndCopiesTheBytes() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(5));
    const auto report = p.folder.Files().ReportFolder();
    test::WriteBytes(report / "in.zt", expected.bytes);
    test::WriteBytes(report / "out.zt", "older");
    SystemClock clock;
    const QString proposed = app::FromCp1251(DefaultSaveName(expected.image.header[kHeaderSerial], clock));

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), report / "in.zt");
    // "out.old.zt" is saved as "out.zt": the question comes first; "Нет" keeps the file.
    driver.Answer("Нет");
    SaveAs(driver, p.Main(), report / "out.old.zt", [&](QFileDialog& dialog) {
      driver.Check(dialog.findChild<QLineEdit*>("fileNameEdit")->text() == proposed, "proposed name " + proposed);
      driver.Check(dialog.directory().absolutePath().toStdString() == std::filesystem::absolute(report).string(),
                   "dialog starts in Report");
    });
    driver.Step("kept", [] { return true; }, [&] {
      driver.Check(test::ReadBytes(report / "out.zt") == "older", "answer No keeps the file");
      driver.Check(!std::filesystem::exists(report / "out.old.zt"), "nothing under the chosen name");
    });
    driver.Answer("Да");
    driver.Answer("OK");
    SaveAs(driver, p.Main(), report / "out.old.zt");
    driver.Step("replaced", [] { return true; }, [&] {
      driver.Check(test::ReadBytes(report / "out.zt") == expected.bytes, "byte-identical copy");
      const QString target = QString::fromStdString((report / "out.zt").string());
      const QStringList texts = [&] {
        QStringList all;
        for (const ShownMessage& m : driver.Messages()) all << m.text;
        return all;
      }();
      driver.Check(texts.size() == 3, "three boxes: question, question, saved");
      driver.Check(texts.value(0) == "Файл \"" + target + "\"уже существует, перезаписать?", "question text");
      driver.Check(texts.value(2) == "Файл : \"" + target + "\" записан.", "saved text");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // A file the load refuses leaves ditto marks everywhere and the image file as it was.
  void FailedLoadReportsAndKeepsTheImageFile_data() {
    QTest::addColumn<int>("cut");         // bytes kept, 0 for all
    QTest::addColumn<int>("changedByte");  // offset of a byte changed, -1 for none
    QTest::addColumn<QString>("message");
    QTest::newRow("file of 20000 bytes") << 20000 << -1 << "Ошибка открытия файла!!!";
    QTest::newRow("parameter block checksum wrong")
        << 0 << static_cast<int>(kParameterBlock.start + param::kSerial) << "Ошибка чтения программируемых параметров!!!";
  }
  void FailedLoadReportsAndKeepsTheImageFile() {
    QFETCH(int, cut);
    QFETCH(int, changedByte);
    QFETCH(QString, message);
    OfflineProgram p;
    const std::string imageBefore = GenerateSampleImage(11);
    test::WriteBytes(p.folder.Files().ImageFile(), imageBefore);
    std::string bytes = GenerateSampleImage(4);
    if (cut > 0) bytes.resize(static_cast<std::size_t>(cut));
    if (changedByte >= 0) {
      bytes[static_cast<std::size_t>(changedByte)] ^= 0x01;
      DecodedImage probe;
      QVERIFY2(!DecodeParameterBlock(std::string_view(bytes).substr(kParameterBlock.start, kParameterBlock.size), probe),
               "the changed byte breaks the checksum");
    }
    const auto file = p.folder.Files().ReportFolder() / "bad.zt";
    test::WriteBytes(file, bytes);
    // What a refused file leaves: the header and every cell the ditto mark.
    ExpectedImage nothing;
    ResetArchiveTables(nothing.tables);
    QVERIFY(p.program.Start());

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), file);
    driver.Step("refused", [] { return true; }, [&] {
      driver.Check(driver.Messages().size() == 1, "one message");
      driver.Check(driver.Messages().value(0).text == message, "message: " + driver.Messages().value(0).text);
      driver.Check(driver.Messages().value(0).icon == QMessageBox::Critical, "an error");
      CheckShown(driver, p.Main(), nothing);
      driver.Check(test::ReadBytes(p.folder.Files().ImageFile()) == imageBefore, "the image file is unchanged");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // After a load that did not complete, what is shown is not in the image
  // file: the save refuses until the next complete load, and writes nothing.
  void SaveAfterAnIncompleteLoadWarnsAndWritesNothing_data() {
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("changedByte");
    QTest::newRow("file of 20000 bytes") << 20000 << -1;
    QTest::newRow("parameter block checksum wrong") << 0 << static_cast<int>(kParameterBlock.start + param::kSerial);
  }
  void SaveAfterAnIncompleteLoadWarnsAndWritesNothing() {
    QFETCH(int, cut);
    QFETCH(int, changedByte);
    OfflineProgram p;
    QVERIFY(p.program.Start());
    const auto report = p.folder.Files().ReportFolder();
    const std::string good = GenerateSampleImage(6);
    std::string bad = GenerateSampleImage(7);
    if (cut > 0) bad.resize(static_cast<std::size_t>(cut));
    if (changedByte >= 0) bad[static_cast<std::size_t>(changedByte)] ^= 0x01;
    test::WriteBytes(report / "good.zt", good);
    test::WriteBytes(report / "bad.zt", bad);

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), report / "good.zt");
    OpenFile(driver, p.Main(), report / "bad.zt");
    driver.Step("СОХРАНИТЬ", [&] { return InFront(p.Main()) && driver.Messages().size() == 1; },
                [&] { QTimer::singleShot(0, p.Main().findChild<QAction*>("SaveFile"), &QAction::trigger); });
    driver.Step("warned", [&] { return driver.Messages().size() == 2 && InFront(p.Main()); }, [&] {
      driver.Check(driver.Messages().value(1).text == "Нет прочитанных данных!!!",
                   "after the refused load: " + driver.Messages().value(1).text);
      driver.Check(driver.Messages().value(1).icon == QMessageBox::Warning, "a warning");
      driver.Check(QApplication::activeModalWidget() == &p.Main(), "no save dialog");
      driver.Check(test::ReadBytes(p.folder.Files().ImageFile()) == good, "the image file still holds the good file");
      driver.Check(std::distance(std::filesystem::directory_iterator(report), std::filesystem::directory_iterator{}) == 2,
                   "nothing new in Report");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void SavingOntoTheOpenedFileReplacesItWithTheSameBytes() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    const auto report = p.folder.Files().ReportFolder();
    const std::string bytes = GenerateSampleImage(8);
    test::WriteBytes(report / "opened.zt", bytes);
    const QString target = QString::fromStdString((report / "opened.zt").string());

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), report / "opened.zt");
    driver.Answer("Да");
    driver.Answer("OK");
    SaveAs(driver, p.Main(), report / "opened.zt");
    driver.Step("saved", [&] { return driver.Messages().size() == 2 && InFront(p.Main()); }, [&] {
      driver.Check(driver.Messages().value(0).text == "Файл \"" + target + "\"уже существует, перезаписать?",
                   driver.Messages().value(0).text);
      driver.Check(driver.Messages().value(1).text == "Файл : \"" + target + "\" записан.",
                   driver.Messages().value(1).text);
      driver.Check(test::ReadBytes(report / "opened.zt") == bytes, "the same bytes");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void SaveWithoutDataWarns() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("СОХРАНИТЬ", [&] { return InFront(p.Main()); },
                [&] { QTimer::singleShot(0, p.Main().findChild<QAction*>("SaveFile"), &QAction::trigger); });
    driver.Step("warned", [&] { return !driver.Messages().isEmpty(); }, [&] {
      driver.Check(driver.Messages().front().text == "Нет прочитанных данных!!!", "no data read");
      driver.Check(driver.Messages().front().icon == QMessageBox::Warning, "a warning");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowFilesTest)

#include "window_files_test.moc"
