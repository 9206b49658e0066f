// Opening and saving device-data files through the main window: the header
// and both tables show exactly what the decoder makes of the file, and a save
// proposes the serial-number name, asks before replacing and copies the bytes.
#include <iterator>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <QTreeView>

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

namespace {

// Empty when every text the dialog shows is Russian and every column of its
// list shows its title and its cells whole.
QString FileDialogFault(QFileDialog& dialog) {
  QStringList faults;
  const QRegularExpression latin(QStringLiteral("[A-Za-z]{3,}"));
  auto russian = [&](const QString& text, const QString& where) {
    // A file's name and its extension are the operator's, not the dialog's.
    QString own = text;
    own.remove(QStringLiteral("zt"));
    if (latin.match(own).hasMatch()) faults << where + ": " + text;
  };
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (label->isVisible()) russian(label->text(), QStringLiteral("label"));
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible()) russian(button->text(), QStringLiteral("button"));
  const QTreeView* view = dialog.findChild<QTreeView*>();
  const QAbstractItemModel* model = view->model();
  const QHeaderView* header = view->header();
  for (int column = 0; column < header->count(); ++column) {
    if (header->isSectionHidden(column)) continue;
    const QString title = model->headerData(column, Qt::Horizontal).toString();
    russian(title, QStringLiteral("column title"));
    const int width = header->sectionSize(column);
    const QStyle* style = header->style();
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int titleNeeds = header->fontMetrics().horizontalAdvance(title) + 2 * margin;
    if (header->isSortIndicatorShown() && header->sortIndicatorSection() == column)
      titleNeeds += style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header) + margin;
    if (titleNeeds > width) faults << QStringLiteral("column %1 cuts its title: %2 of %3").arg(title).arg(width).arg(titleNeeds);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.decorationSize = view->iconSize();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
      const QModelIndex index = model->index(row, column, view->rootIndex());
      const QString cell = index.data().toString();
      if (column > 0) russian(cell, QStringLiteral("column %1").arg(title));
      // The first column starts after the tree's indentation of the folder's entries.
      const int needs = view->itemDelegate()->sizeHint(option, index).width() + (column == 0 ? view->indentation() : 0);
      if (needs > width) faults << QStringLiteral("column %1 cuts \"%2\": %3 of %4").arg(title, cell).arg(width).arg(needs);
    }
  }
  const QRect list = view->viewport()->rect();
  if (header->length() > list.width()) faults << QStringLiteral("the columns are wider than the list");
  return faults.join(QStringLiteral("; "));
}

}  // namespace


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

  // Qt's own dialog in Russian throughout, each column as wide as what it shows.
  void FileDialogsSpeakRussianAndShowTheirColumnsWhole_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("ОТКРЫТЬ ФАЙЛ") << QStringLiteral("rdFile");
    QTest::newRow("СОХРАНИТЬ ФАЙЛ КАК") << QStringLiteral("SaveFile");
  }
  void FileDialogsSpeakRussianAndShowTheirColumnsWhole() {
    QFETCH(QString, action);
    OfflineProgram p;
    const auto report = p.folder.Files().ReportFolder();
    std::filesystem::create_directories(report / "архив за декабрь 2026 года");
    test::WriteBytes(report / "12345_261207 записан у заказчика.zt", GenerateSampleImage(4));
    // Something to save: the image file holding what is shown, and a serial number.
    test::WriteBytes(p.folder.Files().ImageFile(), GenerateSampleImage(4));
    QVERIFY(p.program.Start());

    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("the serial number", [&] { return InFront(p.Main()); }, [&] {
      p.program.Context().image.header[kHeaderSerial] = "12345";
      p.program.Context().state.imageHoldsShownData = true;
      p.Main().ShowHeader();
      QTimer::singleShot(0, p.Main().findChild<QAction*>(action), &QAction::trigger);
    });
    driver.Step("the dialog, its folder listed", [] {
      auto* dialog = Modal<QFileDialog>();
      auto* view = dialog ? dialog->findChild<QTreeView*>() : nullptr;
      return view && view->model()->rowCount(view->rootIndex()) == 2;
    }, [] {});
    // The next poll: what the dialog does once its entries are in has been done.
    driver.Step("the dialog as it stands", [] { return true; }, [&] {
      QFileDialog& dialog = *Modal<QFileDialog>();
      SaveScreenshot(dialog, "file_dialog_" + action);
      const QString fault = FileDialogFault(dialog);
      driver.Check(fault.isEmpty(), fault);
      dialog.reject();
    });
    driver.Step("closed", [&] { return InFront(p.Main()); }, [] {});
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
