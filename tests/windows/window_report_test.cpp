// The report window over a loaded sample file: view, view with the page
// settings and print for both archives, the period's errors, F10 during a
// whole-archive build, a line too long for the sheet, the page settings and
// the period kept in their files, and a machine without printers.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include "app/windows/app_context.h"
#include "app/windows/print_font.h"
#include "app/windows/t_page_print.h"
#include "app/windows/t_wait_pr.h"
#include "app/windows/tf_men_zt.h"
#include "core/sample_image.h"
#include "tests/windows/report_steps.h"

using namespace zt;
using namespace zt::wintest;

namespace {

const QString kIndent = QStringLiteral("     ");  // the default left indent of 5

struct Metrics {
  int lines = 0;
  int chars = 0;
};

// Lines per sheet and characters per line by the page settings' formulas, on
// a PDF page of Qt's defaults in the report font.
Metrics ExpectedPdfMetrics(const report::PrinterFont& font) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QFontMetrics metrics(app::ReportQFont(font), &printer);
  return {printer.height() / (metrics.height() + 2), printer.width() / metrics.averageCharWidth()};
}

QStringList MessageTexts(const ScenarioDriver& driver) {
  QStringList texts;
  for (const ShownMessage& m : driver.Messages()) texts << m.text;
  return texts;
}

// A program folder with one sample recorder file, started with the printers given.
struct ReportFixture {
  // settingsFile: Work/FileInRS.000 before the start, when given.
  explicit ReportFixture(std::optional<std::vector<app::PrinterQueue>> printers = std::nullopt,
                         const std::string& settingsFile = {}) {
    test::WriteBytes(sample, GenerateSampleImage(4));
    if (!settingsFile.empty()) folder.WriteWorkFile("FileInRS.000", settingsFile);
    program = StartProgram(folder, printers ? *printers : PdfPrinter(folder));
  }
  app::TfZetl& Main() { return program->StartWindow().MainWindow(); }
  app::AppContext& Context() { return program->Context(); }
  void Open(ScenarioDriver& driver) {
    StepCancelSearch(driver);
    StepLoadFile(driver, Main(), sample);
    StepOpenReportWindow(driver, Main());
  }
  void Exit(ScenarioDriver& driver) {
    driver.StepExit([this] { return &program->StartWindow(); });
  }

  ProgramFolder folder;
  std::filesystem::path sample = folder.Files().ReportFolder() / "sample.zt";
  std::unique_ptr<app::Program> program;
};

// "УСТАНОВКИ ОТЧЕТОВ ..." and "ДА" as they stand: the first "ДА" measures the printer.
void StepAcceptPageSettings(ScenarioDriver& driver) {
  StepReportMenu(driver, "prnSetupRep");
  driver.Step("page settings", [] { return Modal<app::TPagePrint>() != nullptr; }, [] {});
  driver.Step("ДА", [] { return Modal<app::TPagePrint>()->findChild<QLabel*>("stFont")->text().size() > 0; },
              [] { QTimer::singleShot(0, Modal<app::TPagePrint>()->findChild<QAction*>("N1"), &QAction::trigger); });
  driver.Step("page settings closed", [] { return ReportWindowOnTop(); }, [] {});
}

// The dialog offers the system's printers too: the file stays chosen.
void StepAcceptPrintDialog(ScenarioDriver& driver, const std::filesystem::path& pdf,
                           std::optional<std::pair<int, int>> range) {
  driver.Step("print dialog", [] { return Modal<QPrintDialog>() != nullptr; }, [&driver, pdf, range] {
    QPrintDialog* dialog = Modal<QPrintDialog>();
    auto* printers = dialog->findChild<QComboBox*>("printers");
    auto* fileName = dialog->findChild<QLineEdit*>("filename");
    driver.Check(printers && fileName, "the print dialog's printer and file fields");
    if (printers && fileName) {
      printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
      fileName->setText(QString::fromStdString(pdf.string()));
    }
    if (range) {
      dialog->findChild<QRadioButton*>("printRange")->setChecked(true);
      dialog->findChild<QSpinBox*>("from")->setValue(range->first);
      dialog->findChild<QSpinBox*>("to")->setValue(range->second);
    }
    dialog->accept();
  });
  driver.Step("printed", [] { return ReportWindowOnTop(); }, [] {});
}

}  // namespace

class WindowReportTest : public QObject {
  Q_OBJECT

 private slots:
  void ViewsPaginatesAndPrintsEachArchive_data() {
    QTest::addColumn<ArchiveKind>("archive");
    QTest::newRow("time archive") << ArchiveKind::Time;
    QTest::newRow("operational archive") << ArchiveKind::Operational;
  }

  void ViewsPaginatesAndPrintsEachArchive() {
    QFETCH(ArchiveKind, archive);
    const bool timeArchive = archive == ArchiveKind::Time;
    ReportFixture f;
    QVERIFY(f.program);
    const WorkingFiles& files = f.folder.Files();
    const Metrics expected = ExpectedPdfMetrics({"Lucida Console", 8});
    ScenarioDriver driver;
    f.Open(driver);
    StepAcceptPageSettings(driver);
    driver.Step("measured", [] { return true; }, [&] {
      const auto& print = f.Context().print;
      driver.Check(print.working.linesPerSheet == expected.lines && print.working.charsPerLine == expected.chars,
                   QStringLiteral("measured %1 x %2, expected %3 x %4")
                       .arg(print.working.linesPerSheet).arg(print.working.charsPerLine)
                       .arg(expected.lines).arg(expected.chars));
      const QStringList saved = FileLines(files.PrintSettingsFile());
      driver.Check(saved == QStringList{"Zetlogic-1.10", "8", "Lucida Console", "5", "3", "3", "2",
                                        QString::number(expected.lines), QString::number(expected.chars),
                                        "Zetlogic PDF file"},
                   "settings file after the first ДА: " + saved.join('|'));
      ChooseWholePeriod(ReportWindow(), archive);
    });

    StepReportCommand(driver, "prnView");
    QStringList report;
    driver.Step("viewed", [] { return true; }, [&] {
      report = FileLines(files.ReportTextFile());
      driver.Check(report.size() > 100, QStringLiteral("a whole-archive report of %1 lines").arg(report.size()));
      driver.Check(PreviewLines(ReportWindow()) == report, "the view shows RepDay unchanged");
      driver.Check(report.value(0).startsWith("/отчет составлен:"), "generation line " + report.value(0));
      driver.Check(report.contains("отчет за период c 01.01.2011 00:00:00 по 01.01.2030 23:59:59"), "period line");
      driver.Check(!std::filesystem::exists(files.SheetFile(1)), "a plain view writes no sheets");
    });

    StepReportCommand(driver, "prnViewPr");
    std::vector<QStringList> sheets;
    driver.Step("paginated", [] { return true; }, [&] {
      sheets = SheetFiles(files);
      driver.Check(sheets.size() >= 3, QStringLiteral("%1 sheets").arg(sheets.size()));
      QStringList all;
      for (const QStringList& sheet : sheets) all << sheet;
      driver.Check(PreviewLines(ReportWindow()) == all, "the preview shows the sheets in order");
      driver.Check(sheets.front().value(0) == kIndent + "Всего листов: " + QString::number(sheets.size()),
                   "first line " + sheets.front().value(0));
      // Every build writes its own generation line.
      const QString generation = FileLines(files.ReportTextFile()).value(0);
      driver.Check(sheets[1].value(0) == kIndent + "Лист 2/ " && sheets[1].value(1) == kIndent + generation,
                   "sheet 2 heading: " + sheets[1].value(0) + "|" + sheets[1].value(1));
      for (std::size_t i = 0; i + 1 < sheets.size(); ++i)
        driver.Check(sheets[i].size() == expected.lines - 1,
                     QStringLiteral("sheet %1 holds %2 lines").arg(i + 1).arg(sheets[i].size()));
      SaveScreenshot(ReportWindow(), timeArchive ? "report_window" : "report_window_operational");
    });

    StepReportCommand(driver, "prnPrint");
    // The operational report prints sheets 2 to 3 only.
    const std::optional<std::pair<int, int>> range =
        timeArchive ? std::nullopt : std::optional<std::pair<int, int>>({2, 3});
    StepAcceptPrintDialog(driver, PdfPrinterFile(f.folder), range);
    driver.Step("pdf", [] { return true; }, [&] {
      QString error;
      const PdfGrid grid = ReportGrid(*f.Context().printer, {"Lucida Console", 8});
      const auto pages = PdfPages(PdfPrinterFile(f.folder), grid, error);
      driver.Check(error.isEmpty(), error);
      std::vector<QStringList> printed = SheetFiles(files);
      if (range) printed = {printed.begin() + 1, printed.begin() + 3};
      const QString difference = ComparePagesWithSheets(pages, printed);
      driver.Check(difference.isEmpty(), difference);
    });
    StepReportMenu(driver, "N8");
    driver.Step("closed", [&] { return InFront(f.Main()); }, [&] {
      driver.Check(!std::filesystem::exists(files.ReportTextFile()) && !std::filesystem::exists(files.SheetFile(1)),
                   "RepDay and the sheets removed on closing");
      driver.Check(std::filesystem::exists(files.ReportPeriodFile()), "the period kept");
      driver.Check(driver.Messages().isEmpty(), "no message: " + MessageTexts(driver).join('|'));
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // The sheets are cut for the printer's A4 page; the operator prints them to a
  // file on A5 paper, chosen in the print dialog's properties.
  void EverySheetBeginsAPageOfItsOwnOnAnotherPaper() {
    ReportFixture f;
    QVERIFY(f.program);
    const std::filesystem::path pdf = f.folder.Root() / "a5.pdf";
    ScenarioDriver driver;
    f.Open(driver);
    StepAcceptPageSettings(driver);
    driver.Step("whole period", [] { return true; }, [] { ChooseWholePeriod(ReportWindow(), ArchiveKind::Time); });
    StepReportCommand(driver, "prnPrint");
    driver.Step("print dialog", [] { return Modal<QPrintDialog>() != nullptr; }, [&driver, pdf] {
      QPrintDialog* dialog = Modal<QPrintDialog>();
      auto* printers = dialog->findChild<QComboBox*>("printers");
      printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
      dialog->findChild<QLineEdit*>("filename")->setText(QString::fromStdString(pdf.string()));
      driver.Check(dialog->printer()->pageLayout().pageSize().id() == QPageSize::A4, "measured on A4");
      QTimer::singleShot(0, dialog->findChild<QPushButton*>("properties"), &QPushButton::click);
    });
    driver.Step("properties", [] {
      auto* sizes = QApplication::activeModalWidget() ? QApplication::activeModalWidget()->findChild<QComboBox*>("pageSizeCombo") : nullptr;
      return sizes != nullptr;
    }, [&driver] {
      auto* properties = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      auto* sizes = properties->findChild<QComboBox*>("pageSizeCombo");
      sizes->setCurrentIndex(sizes->findText(QStringLiteral("A5")));
      driver.Check(sizes->currentText() == "A5", "A5 offered");
      SaveScreenshot(*properties, "print_properties_a5");
      properties->accept();
    });
    driver.Step("print", [] { return Modal<QPrintDialog>() != nullptr; }, [] { Modal<QPrintDialog>()->accept(); });
    StepSheetsBeginPages(driver, pdf, f.folder.Files(), "printed_a5_page_2");
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void AFileThatCannotBeWrittenIsTold() {
    ReportFixture f;
    QVERIFY(f.program);
    const std::filesystem::path pdf = f.folder.Root() / "no such folder" / "report.pdf";
    ScenarioDriver driver;
    f.Open(driver);
    StepAcceptPageSettings(driver);
    driver.Step("whole period", [] { return true; }, [] { ChooseWholePeriod(ReportWindow(), ArchiveKind::Operational); });
    StepReportCommand(driver, "prnPrint");
    StepAcceptPrintDialog(driver, pdf, std::nullopt);
    driver.Step("told", [] { return true; }, [&] {
      const QString expected = "Ошибка! при записи файла " + QString::fromStdString(pdf.string()) +
                               QStringLiteral(" - код ошибки: %1").arg(ENOENT);
      driver.Check(MessageTexts(driver) == QStringList{expected}, "boxes: " + MessageTexts(driver).join('|'));
      driver.Check(!driver.Messages().isEmpty() && driver.Messages().front().icon == QMessageBox::Critical, "an error");
      driver.Check(!std::filesystem::exists(pdf.parent_path()), "nothing made");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void PeriodErrorsShowTheirBoxes_data() {
    QTest::addColumn<QDate>("begin");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("begin after end") << QDate(2026, 12, 7) << QDate(2026, 12, 6)
                                     << QStringList{"ОШИБКА ВЫБОРА ДАТЫ !!!", "В АРХИВЕ НЕТ ИНФОРМАЦИИ"};
    QTest::newRow("no record in the period") << QDate(2012, 1, 1) << QDate(2012, 12, 31)
                                             << QStringList{"В АРХИВЕ НЕТ ИНФОРМАЦИИ"};
  }

  void PeriodErrorsShowTheirBoxes() {
    QFETCH(QDate, begin);
    QFETCH(QDate, end);
    QFETCH(QStringList, boxes);
    ReportFixture f;
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    driver.Step("period", [] { return true; }, [&] {
      ReportWindow().findChild<QDateEdit*>("DT_dBeg")->setDate(begin);
      ReportWindow().findChild<QDateEdit*>("DT_dEnd")->setDate(end);
    });
    StepReportCommand(driver, "prnView");
    driver.Step("no report", [] { return true; }, [&] {
      driver.Check(MessageTexts(driver) == boxes, "boxes: " + MessageTexts(driver).join('|'));
      driver.Check(PreviewLines(ReportWindow()).isEmpty(), "empty preview");
      driver.Check(!std::filesystem::exists(f.folder.Files().ReportTextFile()), "no RepDay");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void F10StopsAWholeArchiveBuild_data() {
    QTest::addColumn<bool>("afterTheBuild");
    QTest::newRow("during the build") << false;
    // The print timer is armed then; the window has up to 100 ms left.
    QTest::newRow("after the build, before the window closed") << true;
  }

  void F10StopsAWholeArchiveBuild() {
    QFETCH(bool, afterTheBuild);
    ReportFixture f;
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    StepAcceptPageSettings(driver);
    driver.Step("whole period", [] { return true; }, [] { ChooseWholePeriod(ReportWindow(), ArchiveKind::Time); });
    StepReportMenu(driver, "prnPrint");
    // Seen only because the build lets events through while it runs.
    driver.Step("building", [&] {
      auto* wait = Modal<app::TWaitPr>();
      if (!wait) return false;
      if (!afterTheBuild) return wait->Building();
      return !wait->Building() && std::filesystem::exists(f.folder.Files().SheetFile(1));
    }, [&] {
      if (!afterTheBuild) SaveScreenshot(*Modal<app::TWaitPr>(), "print_wait_window");
      QTest::keyClick(Modal<app::TWaitPr>()->findChild<QLineEdit*>("Memo_Stop"), Qt::Key_F10);
    });
    bool printDialogSeen = false;
    QElapsedTimer since;
    driver.Step("wait window closed", [] { return ReportWindowOnTop(); }, [&] { since.start(); });
    // Longer than the print timer's 500 ms.
    driver.Step("no print dialog", [&] {
      printDialogSeen = printDialogSeen || Modal<QPrintDialog>() != nullptr;
      return since.elapsed() > 1000;
    }, [&] {
      driver.Check(!printDialogSeen, "no print dialog after a stop");
      driver.Check(MessageTexts(driver) == QStringList{"ОСТАНОВ ПРОСМОТРА!!!"}, "boxes: " + MessageTexts(driver).join('|'));
      driver.Check(!driver.Messages().isEmpty() && driver.Messages().front().icon == QMessageBox::Warning, "a warning");
      driver.Check(PreviewLines(ReportWindow()).isEmpty(), "the stopped report is not shown");
      driver.Check(afterTheBuild || !std::filesystem::exists(f.folder.Files().SheetFile(1)), "no sheets");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void LineTooLongForTheSheet() {
    // 40 characters a line on the stored printer: the report's lines do not fit.
    ReportFixture f(std::nullopt,
                    "Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n60\r\n40\r\nZetlogic PDF file\r\n");
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    driver.Step("whole period", [] { return true; }, [&] {
      driver.Check(f.Context().print.working.linesPerSheet == 60 && f.Context().print.working.charsPerLine == 40,
                   "the stored metrics of the found printer are the working ones");
      ChooseWholePeriod(ReportWindow(), ArchiveKind::Operational);
    });
    StepReportCommand(driver, "prnViewPr");
    driver.Step("refused", [] { return true; }, [&] {
      driver.Check(MessageTexts(driver) == QStringList{"ДЛИНА СТРОКИ БОЛЬШЕ - УМЕНЬШИТЕ РАЗМЕР ШРИФТА"},
                   "boxes: " + MessageTexts(driver).join('|'));
      driver.Check(PreviewLines(ReportWindow()).isEmpty(), "nothing shown");
      driver.Check(!std::filesystem::exists(f.folder.Files().SheetFile(1)), "no sheet written");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void PageSettingsKeptInTheirFile() {
    ReportFixture f;
    QVERIFY(f.program);
    const Metrics expected = ExpectedPdfMetrics({"DejaVu Sans Mono", 10});
    {
      ScenarioDriver driver;
      f.Open(driver);
      StepReportMenu(driver, "prnSetupRep");
      driver.Step("shown", [] {
        return Modal<app::TPagePrint>() && !Modal<app::TPagePrint>()->findChild<QLabel*>("stFont")->text().isEmpty();
      }, [&] {
        auto* page = Modal<app::TPagePrint>();
        SaveScreenshot(*page, "page_settings_window");
        driver.Check(page->findChild<QLabel*>("stFont")->text() == "Lucida Console", "default font");
        driver.Check(page->findChild<QLabel*>("StaticText2")->text() == "8", "default size");
        driver.Check(page->findChild<QRadioButton*>("RadioButton4")->isChecked(), "Russian by default");
        page->findChild<QSpinBox*>("SpinEdit2")->setValue(4);
        page->findChild<QSpinBox*>("SpinEdit3")->setValue(7);
        page->findChild<QSpinBox*>("SpinEdit4")->setValue(2);
        page->findChild<QRadioButton*>("RadioButton3")->setChecked(true);
        QTimer::singleShot(0, page->findChild<QPushButton*>("BitBtn1"), &QPushButton::click);
      });
      driver.Step("font dialog", [] { return Modal<QFontDialog>() != nullptr; }, [] {
        Modal<QFontDialog>()->setCurrentFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
        Modal<QFontDialog>()->accept();
      });
      driver.Step("ДА", [] { return Modal<app::TPagePrint>() != nullptr; }, [&] {
        auto* page = Modal<app::TPagePrint>();
        driver.Check(page->findChild<QLabel*>("stFont")->text() == "DejaVu Sans Mono", "font shown");
        QTimer::singleShot(0, page->findChild<QAction*>("N1"), &QAction::trigger);
      });
      driver.Step("saved", [] { return ReportWindowOnTop(); }, [&] {
        const QStringList saved = FileLines(f.folder.Files().PrintSettingsFile());
        driver.Check(saved == QStringList{"Zetlogic-1.10", "10", "DejaVu Sans Mono", "7", "4", "2", "1",
                                          QString::number(expected.lines), QString::number(expected.chars),
                                          "Zetlogic PDF file"},
                     "settings file: " + saved.join('|'));
        driver.Check(ReportWindow().Preview()->font().family() == "DejaVu Sans Mono", "the preview takes the font");
      });
      f.Exit(driver);
      QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
    }
    f.program.reset();
    f.program = StartProgram(f.folder, PdfPrinter(f.folder));
    QVERIFY(f.program);
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("loaded settings", [&] { return InFront(f.Main()); }, [&] {
      driver.Check(f.Context().print.working.linesPerSheet == expected.lines, "working metrics from the file");
    });
    StepOpenReportWindow(driver, f.Main());
    StepReportMenu(driver, "prnSetupRep");
    driver.Step("shown again", [] {
      return Modal<app::TPagePrint>() && !Modal<app::TPagePrint>()->findChild<QLabel*>("stFont")->text().isEmpty();
    }, [&] {
      auto* page = Modal<app::TPagePrint>();
      driver.Check(page->findChild<QLabel*>("stFont")->text() == "DejaVu Sans Mono", "font name kept");
      driver.Check(page->findChild<QLabel*>("StaticText2")->text() == "10", "font size kept");
      driver.Check(page->findChild<QSpinBox*>("SpinEdit2")->value() == 4, "top margin kept");
      driver.Check(page->findChild<QSpinBox*>("SpinEdit3")->value() == 7, "indent kept");
      driver.Check(page->findChild<QSpinBox*>("SpinEdit4")->value() == 2, "bottom margin kept");
      driver.Check(page->findChild<QRadioButton*>("RadioButton3")->isChecked(), "Ukrainian kept");
      QTimer::singleShot(0, page->findChild<QAction*>("N2"), &QAction::trigger);
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void TheFontDialogStartsOnTheFaceThatPrints() {
    // "Lucida Console" is not on this machine; print_font's first substitute is.
    QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("Lucida Console")));
    QVERIFY(QFontDatabase::hasFamily(QStringLiteral("Liberation Mono")));
    QCOMPARE(QFontInfo(app::ReportQFont({"Lucida Console", 8})).family(), QStringLiteral("Liberation Mono"));
    ReportFixture f;
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    StepReportMenu(driver, "prnSetupRep");
    driver.Step("Изменить", [] {
      return Modal<app::TPagePrint>() && !Modal<app::TPagePrint>()->findChild<QLabel*>("stFont")->text().isEmpty();
    }, [] { QTimer::singleShot(0, Modal<app::TPagePrint>()->findChild<QPushButton*>("BitBtn1"), &QPushButton::click); });
    driver.Step("font dialog", [] { return Modal<QFontDialog>() != nullptr; }, [&] {
      QFontDialog* dialog = Modal<QFontDialog>();
      SaveScreenshot(*dialog, "font_dialog");
      driver.Check(dialog->currentFont().family() == "Liberation Mono",
                   "the dialog starts on " + dialog->currentFont().family());
      driver.Check(dialog->currentFont().pointSize() == 8,
                   QStringLiteral("the dialog starts at size %1").arg(dialog->currentFont().pointSize()));
      driver.Check(!dialog->currentFont().bold() && !dialog->currentFont().italic(), "the dialog starts upright");
      dialog->accept();
    });
    driver.Step("unchanged", [] { return Modal<app::TPagePrint>() != nullptr; }, [&] {
      auto* page = Modal<app::TPagePrint>();
      driver.Check(page->findChild<QLabel*>("stFont")->text() == "Lucida Console",
                   "font shown: " + page->findChild<QLabel*>("stFont")->text());
      driver.Check(page->findChild<QLabel*>("StaticText2")->text() == "8", "size shown");
      driver.Check(f.Context().print.settings.fontName == "Lucida Console", "the stored font name kept");
      driver.Check(FileLines(f.folder.Files().PrintSettingsFile()).value(2) == "Lucida Console",
                   "the settings file keeps it");
      QTimer::singleShot(0, page->findChild<QPushButton*>("BitBtn1"), &QPushButton::click);
    });
    // Another size of the same face is still the stored font.
    driver.Step("font dialog again", [] { return Modal<QFontDialog>() != nullptr; }, [] {
      QFont bigger = Modal<QFontDialog>()->currentFont();
      bigger.setPointSize(10);
      Modal<QFontDialog>()->setCurrentFont(bigger);
      Modal<QFontDialog>()->accept();
    });
    driver.Step("resized", [] { return Modal<app::TPagePrint>() != nullptr; }, [&] {
      auto* page = Modal<app::TPagePrint>();
      driver.Check(page->findChild<QLabel*>("stFont")->text() == "Lucida Console" &&
                       page->findChild<QLabel*>("StaticText2")->text() == "10",
                   "font shown: " + page->findChild<QLabel*>("stFont")->text() + " " +
                       page->findChild<QLabel*>("StaticText2")->text());
      const QStringList saved = FileLines(f.folder.Files().PrintSettingsFile());
      driver.Check(saved.value(1) == "10" && saved.value(2) == "Lucida Console", "saved: " + saved.join('|'));
      QTimer::singleShot(0, page->findChild<QAction*>("N2"), &QAction::trigger);
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void PeriodKeptInItsFile() {
    ReportFixture f;
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    driver.Step("defaults", [] { return true; }, [&] {
      app::TPrint_ku& report = ReportWindow();
      driver.Check(report.findChild<QDateEdit*>("DT_dBeg")->date() == QDate(2011, 1, 1) &&
                       report.findChild<QDateEdit*>("DT_dEnd")->date() == QDate(2011, 1, 1) &&
                       report.findChild<QTimeEdit*>("DT_tBeg")->time() == QTime(9, 0, 0) &&
                       report.findChild<QTimeEdit*>("DT_tEnd")->time() == QTime(9, 0, 0),
                   "pickers without a period file");
      driver.Check(report.findChild<QRadioButton*>("rbArcDate")->isChecked(), "time archive at first");
      driver.Check(report.findChild<QDateEdit*>("DT_dBeg")->minimumDate() == QDate(2011, 1, 1) &&
                       report.findChild<QDateEdit*>("DT_dBeg")->maximumDate() == QDate(2030, 1, 1),
                   "the pickers' range");
      report.findChild<QDateEdit*>("DT_dBeg")->setDate(QDate(2015, 3, 2));
      report.findChild<QTimeEdit*>("DT_tBeg")->setTime(QTime(10, 11, 12));
      report.findChild<QDateEdit*>("DT_dEnd")->setDate(QDate(2016, 5, 4));
      report.findChild<QTimeEdit*>("DT_tEnd")->setTime(QTime(13, 14, 15));
      report.findChild<QRadioButton*>("rbArcCur")->click();
      driver.Check(!report.findChild<QWidget*>("pArcDate")->isVisible() && report.findChild<QWidget*>("pArcCur")->isVisible(),
                   "the operational archive's tables shown");
    });
    StepReportMenu(driver, "N8");
    driver.Step("saved", [&] { return InFront(f.Main()); }, [&] {
      driver.Check(test::ReadBytes(f.folder.Files().ReportPeriodFile()) ==
                       "02.03.2015\r\n10:11:12\r\n04.05.2016\r\n13:14:15\r\n0\r\n",
                   "the period file");
    });
    StepOpenReportWindow(driver, f.Main());
    driver.Step("loaded", [] { return true; }, [&] {
      app::TPrint_ku& report = ReportWindow();
      driver.Check(report.findChild<QDateEdit*>("DT_dBeg")->date() == QDate(2015, 3, 2) &&
                       report.findChild<QTimeEdit*>("DT_tBeg")->time() == QTime(10, 11, 12) &&
                       report.findChild<QDateEdit*>("DT_dEnd")->date() == QDate(2016, 5, 4) &&
                       report.findChild<QTimeEdit*>("DT_tEnd")->time() == QTime(13, 14, 15),
                   "the pickers from the file");
      driver.Check(report.findChild<QRadioButton*>("rbArcCur")->isChecked() &&
                       report.findChild<QWidget*>("pArcCur")->isVisible(),
                   "the operational archive from the file");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void WithoutPrintersNothingIsMeasured() {
    ReportFixture f(std::vector<app::PrinterQueue>{});
    QVERIFY(f.program);
    ScenarioDriver driver;
    f.Open(driver);
    StepAcceptPageSettings(driver);
    driver.Step("whole period", [] { return true; }, [&] {
      driver.Check(MessageTexts(driver) == QStringList{"Нет установленных принтеров !!!"},
                   "boxes: " + MessageTexts(driver).join('|'));
      driver.Check(!driver.Messages().isEmpty() && driver.Messages().front().icon == QMessageBox::Critical, "an error");
      ChooseWholePeriod(ReportWindow(), ArchiveKind::Time);
    });
    StepReportCommand(driver, "prnViewPr");
    driver.Step("no pagination", [] { return true; }, [&] {
      driver.Check(MessageTexts(driver).value(1) == "ДЛИНА СТРОКИ БОЛЬШЕ - УМЕНЬШИТЕ РАЗМЕР ШРИФТА",
                   "without metrics no line fits");
      driver.Check(PreviewLines(ReportWindow()).isEmpty(), "nothing shown");
    });
    f.Exit(driver);
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowReportTest)

#include "window_report_test.moc"
