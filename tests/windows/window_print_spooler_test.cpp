// Printing a paginated report on a real spooler queue: the PDF queue that
// scripts/pdf-printer.sh sets up (CUPS_SERVER and ZT_PDF_PRINTER_OUT name it).
// Each page of the job's PDF must show its sheet file. Without that queue the
// test reports itself skipped.
#include <QAction>
#include <QApplication>
#include <QComboBox>
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

}  // namespace

class WindowPrintSpoolerTest : public QObject {
  Q_OBJECT

 private slots:
  void PrintsEverySheetOnTheQueue() {
    const QByteArray out = qgetenv("ZT_PDF_PRINTER_OUT");
    if (out.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(kQueue))
      QSKIP("no PDF printer queue: scripts/pdf-printer.sh sets one up");
    const std::filesystem::path job = std::filesystem::path(out.toStdString()) / "job.pdf";
    std::filesystem::remove(job);

    ProgramFolder folder;
    const auto sample = folder.Files().ReportFolder() / "sample.zt";
    test::WriteBytes(sample, GenerateSampleImage(4));
    auto program = StartProgram(folder, std::nullopt);
    QVERIFY(program);
    app::TfZetl& main = program->StartWindow().MainWindow();
    app::AppContext& ctx = program->Context();

    ScenarioDriver driver(60000);
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
    driver.Step("measured", [] { return ReportWindowOnTop(); }, [&] {
      driver.Check(ctx.print.settings.storedPrinterName == kQueue.toStdString(), "metrics stored for the queue");
      driver.Check(ctx.print.working.linesPerSheet > 0 && ctx.print.working.charsPerLine > 0, "working metrics");
      ChooseWholePeriod(ReportWindow(), ArchiveKind::Time);
    });
    StepReportCommand(driver, "prnPrint");
    driver.Step("print dialog", [] { return Modal<QPrintDialog>() != nullptr; },
                [] { Modal<QPrintDialog>()->accept(); });
    std::vector<QStringList> sheets;
    driver.Step("sent", [] { return ReportWindowOnTop(); }, [&] { sheets = SheetFiles(folder.Files()); });
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
    driver.StepExit([&] { return &program->StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowPrintSpoolerTest)

#include "window_print_spooler_test.moc"
