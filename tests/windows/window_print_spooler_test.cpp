// Printing a paginated report on a real spooler queue: the PDF queue that
// scripts/pdf-printer.sh sets up (CUPS_SERVER and ZT_PDF_PRINTER_OUT name it).
// Each page of the job's PDF must show its sheet file. Without that queue the
// test reports itself skipped.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "app/windows/app_context.h"
#include "app/windows/printer_setup_dialog.h"
#include "app/windows/tf_men_zt.h"
#include "core/sample_image.h"
#include "tests/windows/report_steps.h"

using namespace zt;
using namespace zt::wintest;

namespace {

const QString kQueue = QStringLiteral("Zetlogic_PDF");

// True once the queue holds no job and the job's PDF is there.
bool JobDone(const std::filesystem::path& pdf) {
  if (!std::filesystem::exists(pdf) || std::filesystem::file_size(pdf) == 0) return false;
  QProcess lpstat;
  lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), kQueue});
  return lpstat.waitForFinished(10000) && lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().trimmed().isEmpty();
}

bool QueueThere() {
  return !qgetenv("ZT_PDF_PRINTER_OUT").isEmpty() && QPrinterInfo::availablePrinterNames().contains(kQueue);
}

// A program on the system's printers with a sample file to report on.
struct SpoolerFixture {
  SpoolerFixture() {
    test::WriteBytes(sample, GenerateSampleImage(4));
    program = StartProgram(folder, std::nullopt);
  }

  // The sample loaded, the queue chosen in the printer set-up and measured,
  // the whole time archive paginated for printing.
  void StepMeasureOnTheQueueAndPrint(ScenarioDriver& driver) {
    app::TfZetl& main = program->StartWindow().MainWindow();
    app::AppContext& ctx = program->Context();
    StepCancelSearch(driver);
    StepLoadFile(driver, main, sample);
    StepOpenReportWindow(driver, main);
    StepReportMenu(driver, "prnSetupPrn");
    driver.Step("printer set-up", [] { return Modal<app::PrinterSetupDialog>() != nullptr; }, [] {
      auto* setup = Modal<app::PrinterSetupDialog>();
      SaveScreenshot(*setup, "printer_setup_window");
      auto* printers = setup->findChild<QComboBox*>("cbPrinter");
      printers->setCurrentIndex(printers->findText(kQueue));
      setup->findChild<QPushButton*>("bOk")->click();
    });
    driver.Step("measured", [] { return ReportWindowOnTop(); }, [&driver, &ctx] {
      driver.Check(ctx.print.settings.storedPrinterName == kQueue.toStdString(), "metrics stored for the queue");
      driver.Check(ctx.print.working.linesPerSheet > 0 && ctx.print.working.charsPerLine > 0, "working metrics");
      ChooseWholePeriod(ReportWindow(), ArchiveKind::Time);
    });
    StepReportCommand(driver, "prnPrint");
  }

  ProgramFolder folder;
  std::filesystem::path sample = folder.Files().ReportFolder() / "sample.zt";
  std::unique_ptr<app::Program> program;
};

}  // namespace

class WindowPrintSpoolerTest : public QObject {
  Q_OBJECT

 private slots:
  void PrintsEverySheetOnTheQueue() {
    if (!QueueThere()) QSKIP("no PDF printer queue: scripts/pdf-printer.sh sets one up");
    const std::filesystem::path job = std::filesystem::path(qgetenv("ZT_PDF_PRINTER_OUT").toStdString()) / "job.pdf";
    std::filesystem::remove(job);

    SpoolerFixture f;
    QVERIFY(f.program);
    app::AppContext& ctx = f.program->Context();
    ScenarioDriver driver(60000);
    f.StepMeasureOnTheQueueAndPrint(driver);
    driver.Step("print dialog", [] { return Modal<QPrintDialog>() != nullptr; },
                [] { Modal<QPrintDialog>()->accept(); });
    std::vector<QStringList> sheets;
    driver.Step("sent", [] { return ReportWindowOnTop(); }, [&] { sheets = SheetFiles(f.folder.Files()); });
    QElapsedTimer asked;
    asked.start();
    driver.Step("job done", [&] {
      if (asked.elapsed() < 200) return false;
      asked.restart();
      return JobDone(job);
    }, [&] {
      QString error;
      const auto pages = PdfPages(job, ReportGrid(*ctx.printer, {"Lucida Console", 8}), error);
      driver.Check(error.isEmpty(), error);
      driver.Check(sheets.size() >= 3, QStringLiteral("%1 sheets").arg(sheets.size()));
      const QString difference = ComparePagesWithSheets(pages, sheets);
      driver.Check(difference.isEmpty(), difference);
    });
    driver.StepExit([&] { return &f.program->StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // Measured on the queue, whose printable area has the PPD's margins, printed
  // to a file through the dialog: a PDF page of Qt's own, with narrower margins.
  void AFileChosenInThePrintDialogHasAPagePerSheet() {
    if (!QueueThere()) QSKIP("no PDF printer queue: scripts/pdf-printer.sh sets one up");
    SpoolerFixture f;
    QVERIFY(f.program);
    const std::filesystem::path pdf = f.folder.Root() / "to_file.pdf";
    ScenarioDriver driver(60000);
    f.StepMeasureOnTheQueueAndPrint(driver);
    driver.Step("print dialog", [] { return Modal<QPrintDialog>() != nullptr; }, [&driver, pdf] {
      QPrintDialog* dialog = Modal<QPrintDialog>();
      auto* printers = dialog->findChild<QComboBox*>("printers");
      driver.Check(printers->currentText() == kQueue, "the dialog starts on the queue measured");
      printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
      dialog->findChild<QLineEdit*>("filename")->setText(QString::fromStdString(pdf.string()));
      dialog->accept();
    });
    StepSheetsBeginPages(driver, pdf, f.folder.Files(), "printed_to_file_page_2");
    driver.StepExit([&] { return &f.program->StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowPrintSpoolerTest)

#include "window_print_spooler_test.moc"
