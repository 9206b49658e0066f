// Printing sheets into a PDF file over Qt's printer: the file is replaced only
// by a whole document. A print that fails midway (the file-size limit stands
// for a full disk) or a process killed midway leaves the old file byte for
// byte, and no temporary file stays behind once the next print is done.
#include <signal.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <string>

#include "app/windows/qt_printer.h"
#include "core/cp1251.h"
#include "core/messages.h"
#include "core/working_files.h"
#include "report/print_settings.h"
#include "report/sheet_printing.h"
#include "tests/core/child_process.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/image_builder.h"
#include "tests/windows/report_steps.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

namespace fs = std::filesystem;

constexpr int kSheets = 4;
constexpr int kLinesPerSheet = 60;
const std::string kOldPdf = "%PDF-1.4 the operator's earlier report %%EOF\n";

// A program folder with kSheets full sheet files, and a PDF file printer
// writing into out/report.pdf, which holds the old document.
struct PdfFixture {
  PdfFixture() {
    files.EnsureFolders();
    for (int n = 1; n <= kSheets; ++n) {
      std::string sheet;
      for (int line = 1; line <= kLinesPerSheet - 1; ++line)
        sheet += (line == 1 ? "Sheet " + std::to_string(n) : "line " + std::to_string(line)) + "\r\n";
      test::WriteBytes(files.SheetFile(n), sheet);
    }
    fs::create_directory(out);
    test::WriteBytes(pdf, kOldPdf);
    setup.settings.storedLinesPerSheet = kLinesPerSheet;
    setup.settings.storedCharsPerLine = 100;
    setup.working = {kLinesPerSheet, 100};
  }
  bool Print(int first = 1, int last = kSheets) {
    return report::PrintSheets({setup, printer, messages, files}, first, last);
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  fs::path out = folder.path() / "out";
  fs::path pdf = out / "report.pdf";
  report::PrintSetup setup;
  RecordingMessages messages;
  app::QtPrinter printer{{{QStringLiteral("PDF"), QString::fromStdString(pdf.string())}}, 0};
};

QString Names(const fs::path& folder) {
  QStringList names;
  for (const std::string& name : test::NamesIn(folder)) names << QString::fromStdString(name);
  return names.join(QLatin1Char(' '));
}

std::string WriteFailedText(const fs::path& file) { return std::string("Ошибка! при записи файла "_cp) + file.string(); }

}  // namespace

class QtPrinterPdfTest : public QObject {
  Q_OBJECT

 private slots:
  void ACompletePrintReplacesTheFile() {
    PdfFixture f;
    QVERIFY(f.Print());
    QString error;
    const QStringList pages = PdfPageTexts(f.pdf, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(pages.size(), kSheets);
    QVERIFY2(pages[2].contains(QStringLiteral("Sheet 3")), qPrintable(pages[2]));
    QCOMPARE(Names(f.out), QStringLiteral("report.pdf"));
    QVERIFY(f.messages.shown.empty());
  }

  void NothingToPrintLeavesTheFile() {
    PdfFixture f;
    QVERIFY(f.Print(3, 2));
    QCOMPARE(test::ReadBytes(f.pdf), kOldPdf);
    QCOMPARE(Names(f.out), QStringLiteral("report.pdf"));
  }

  void AFailureMidwayKeepsTheOldFile() {
    PdfFixture f;
    {
      // Far below the size of the whole document, above that of its first bytes.
      const test::FileSizeLimit limit(4096);
      QVERIFY(!f.Print());
    }
    QCOMPARE(test::ReadBytes(f.pdf), kOldPdf);
    QCOMPARE(Names(f.out), QStringLiteral("report.pdf"));
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].first, MessageKind::Error);
    QCOMPARE(f.messages.shown[0].second, WriteFailedText(f.pdf));
    // The printer is whole again: the next print goes to the file itself.
    QVERIFY(f.Print());
    QCOMPARE(f.printer.Device().outputFileName(), QString::fromStdString(f.pdf.string()));
    QCOMPARE(Names(f.out), QStringLiteral("report.pdf"));
  }

  void AFolderThatCannotTakeTheFileIsTold() {
    PdfFixture f;
    fs::remove_all(f.out);
    QVERIFY(!f.Print());
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].second, WriteFailedText(f.pdf) + std::string(" - код ошибки: "_cp) +
                                             std::to_string(ENOENT));
  }

  void AKillMidwayKeepsTheOldFile() {
    PdfFixture f;
    test::ChildProcess child([&f](test::ChildProcess& self) {
      if (!f.printer.BeginTextJob({kLinesPerSheet, 100})) return 1;
      f.printer.SetFont({"Lucida Console", 8});
      for (int n = 0; n < 3 * kSheets; ++n) {
        f.printer.BeginSheet();
        for (int line = 0; line < kLinesPerSheet - 1; ++line) f.printer.PrintTextLine("a line of the sheet");
      }
      self.Ready();
      self.WaitForGo();  // killed here, inside the job
      return 0;
    });
    QVERIFY(child.Started());
    QVERIFY(child.WaitReady());
    QCOMPARE(test::ReadBytes(f.pdf), kOldPdf);
    QCOMPARE(test::TempFilesIn(f.out), std::size_t{1});
    ::kill(child.Pid(), SIGKILL);
    child.Wait();
    QCOMPARE(test::ReadBytes(f.pdf), kOldPdf);
    // The next print sweeps the dead job's file away.
    QVERIFY(f.Print());
    QCOMPARE(Names(f.out), QStringLiteral("report.pdf"));
    QString error;
    QCOMPARE(PdfPageTexts(f.pdf, error).size(), kSheets);
  }
};

ZT_WINDOW_TEST_MAIN(QtPrinterPdfTest)

#include "qt_printer_pdf_test.moc"
