#include "tests/windows/report_steps.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <algorithm>
#include <cmath>

#include "app/windows/print_font.h"
#include "app/windows/t_wait_pr.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_sel_rs.h"
#include "app/windows/tz_agr_file.h"
#include "report/text_file.h"

namespace zt::wintest {

std::unique_ptr<app::Program> StartProgram(const ProgramFolder& folder,
                                           std::optional<std::vector<app::PrinterQueue>> printers) {
  app::ProgramOptions options{folder.LockFolder(), std::vector<std::string>{}};
  if (printers)
    options.printers = [queues = *printers] { return std::make_unique<app::QtPrinter>(queues, queues.empty() ? -1 : 0); };
  auto program = std::make_unique<app::Program>(folder.Root(), std::move(options));
  if (!program->Start()) return nullptr;
  return program;
}

std::filesystem::path PdfPrinterFile(const ProgramFolder& folder) { return folder.Root() / "printed.pdf"; }

std::vector<app::PrinterQueue> PdfPrinter(const ProgramFolder& folder) {
  return {{QStringLiteral("Zetlogic PDF file"), QString::fromStdString(PdfPrinterFile(folder).string())}};
}

void StepLoadFile(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& file) {
  driver.Step("main window", [&main] { return InFront(main); },
              [&main, file] { main.LoadIntoMainWindow(file); });
  driver.Step("load window", [] { return Modal<app::TZagrFile>() != nullptr; }, [] {});
  driver.Step("loaded", [&main] { return InFront(main); }, [] {});
}

void StepOpenReportWindow(ScenarioDriver& driver, app::TfZetl& main) {
  driver.Step("ОТЧЕТ", [&main] { return InFront(main); }, [&main] {
    QTimer::singleShot(0, main.findChild<QAction*>("mZT_Report"), &QAction::trigger);
  });
  // tInitPrn has run once the preview shows the print font.
  driver.Step("report window", [] {
    auto* report = Modal<app::TPrint_ku>();
    return report && report->Preview()->font().family() != QApplication::font().family();
  }, [] {});
}

app::TPrint_ku& ReportWindow() { return *Modal<app::TPrint_ku>(); }

bool ReportWindowOnTop() { return Modal<app::TPrint_ku>() != nullptr; }

void StepReportMenu(ScenarioDriver& driver, const char* action) {
  driver.Step(QString::fromLatin1(action), [] { return ReportWindowOnTop(); }, [action] {
    QTimer::singleShot(0, ReportWindow().findChild<QAction*>(QString::fromLatin1(action)), &QAction::trigger);
  });
}

void StepReportCommand(ScenarioDriver& driver, const char* action) {
  StepReportMenu(driver, action);
  driver.Step("wait window", [] { return Modal<app::TWaitPr>() != nullptr; }, [] {});
  driver.Step("wait window closed", [] { return ReportWindowOnTop(); }, [] {});
}

void ChooseWholePeriod(app::TPrint_ku& report, ArchiveKind archive) {
  report.findChild<QDateEdit*>("DT_dBeg")->setDate(QDate(2011, 1, 1));
  report.findChild<QTimeEdit*>("DT_tBeg")->setTime(QTime(0, 0, 0));
  report.findChild<QDateEdit*>("DT_dEnd")->setDate(QDate(2030, 1, 1));
  report.findChild<QTimeEdit*>("DT_tEnd")->setTime(QTime(23, 59, 59));
  report.findChild<QRadioButton*>(archive == ArchiveKind::Time ? "rbArcDate" : "rbArcCur")->click();
}

QStringList PreviewLines(app::TPrint_ku& report) {
  const QString text = report.Preview()->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

QStringList FileLines(const std::filesystem::path& file) {
  QStringList lines;
  for (const std::string& line : report::ReadTextLines(file).value_or(std::vector<std::string>{}))
    lines << app::FromCp1251(line);
  return lines;
}

std::vector<QStringList> SheetFiles(const WorkingFiles& files) {
  std::vector<QStringList> sheets;
  for (int n = 1; std::filesystem::exists(files.SheetFile(n)); ++n) sheets.push_back(FileLines(files.SheetFile(n)));
  return sheets;
}

PdfGrid ReportGrid(app::QtPrinter& printer, const report::PrinterFont& font) {
  printer.SetFont(font);
  const double points = 72.0 / printer.Device().resolution();
  return {printer.AverageCharWidth() * points, (printer.TextHeight(" ") + 2) * points};
}

namespace {

// pdftotext's UTF-8 output in the mode given; nullopt with the error when it fails.
std::optional<QString> PdfToText(const std::filesystem::path& pdf, const QString& mode, QString& error) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {mode, QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                QString::fromStdString(pdf.string()), QStringLiteral("-")});
  if (!pdftotext.waitForFinished(60000) || pdftotext.exitStatus() != QProcess::NormalExit || pdftotext.exitCode() != 0) {
    error = QStringLiteral("pdftotext failed on %1: %2")
                .arg(QString::fromStdString(pdf.string()), QString::fromUtf8(pdftotext.readAllStandardError()));
    return std::nullopt;
  }
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

struct PdfWord {
  int page;
  double left;
  double top;
  QString text;
};

// Words of "pdftotext -tsv": level 5 rows of level, page, par, block, line, word, left, top, width, height, conf, text.
std::vector<PdfWord> PdfWords(const QString& tsv) {
  std::vector<PdfWord> words;
  for (const QString& row : tsv.split(QLatin1Char('\n'))) {
    const QStringList cells = row.split(QLatin1Char('\t'));
    if (cells.size() < 12 || cells[0] != QLatin1String("5")) continue;
    words.push_back({cells[1].toInt(), cells[6].toDouble(), cells[7].toDouble(), cells.mid(11).join('\t')});
  }
  return words;
}

}  // namespace

std::vector<QStringList> PdfPages(const std::filesystem::path& pdf, const PdfGrid& grid, QString& error) {
  const std::optional<QString> tsv = PdfToText(pdf, QStringLiteral("-tsv"), error);
  if (!tsv) return {};
  const std::vector<PdfWord> words = PdfWords(*tsv);
  int pageCount = 0;
  for (const PdfWord& w : words) pageCount = std::max(pageCount, w.page);
  std::vector<QStringList> pages(static_cast<std::size_t>(pageCount));
  for (int page = 1; page <= pageCount; ++page) {
    double top = 1e9;
    double left = 1e9;
    for (const PdfWord& w : words)
      if (w.page == page) {
        top = std::min(top, w.top);
        left = std::min(left, w.left);
      }
    QStringList& lines = pages[static_cast<std::size_t>(page - 1)];
    for (const PdfWord& w : words) {
      if (w.page != page) continue;
      const auto line = static_cast<qsizetype>(std::lround((w.top - top) / grid.linePitch));
      const auto column = static_cast<qsizetype>(std::lround((w.left - left) / grid.charWidth));
      while (lines.size() <= line) lines << QString();
      QString& text = lines[line];
      if (text.size() < column) text += QString(column - text.size(), QLatin1Char(' '));
      text.replace(column, w.text.size(), w.text);
    }
  }
  return pages;
}

void SavePdfPageImage(const std::filesystem::path& pdf, int page, const QString& name) {
  const QByteArray folder = qgetenv("ZT_SCREENSHOTS");
  if (folder.isEmpty()) return;
  const QString number = QString::number(page);
  QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                 QStringLiteral("-singlefile"), QStringLiteral("-f"), number,
                                                 QStringLiteral("-l"), number, QString::fromStdString(pdf.string()),
                                                 QString::fromLocal8Bit(folder) + "/" + name});
}

QStringList PdfPageTexts(const std::filesystem::path& pdf, QString& error) {
  const std::optional<QString> text = PdfToText(pdf, QStringLiteral("-layout"), error);
  if (!text) return {};
  // Every page ends with a form feed.
  QStringList pages = text->split(QLatin1Char('\f'));
  pages.removeLast();
  return pages;
}

QString CheckSheetsBeginPages(const QStringList& pages, int sheets) {
  if (pages.size() != sheets) return QStringLiteral("%1 pages for %2 sheets").arg(pages.size()).arg(sheets);
  for (qsizetype i = 0; i < pages.size(); ++i) {
    QString first;
    for (const QString& line : pages[i].split(QLatin1Char('\n')))
      if (!line.trimmed().isEmpty()) {
        first = line.simplified();
        break;
      }
    const QString expected = i == 0 ? QStringLiteral("Всего листов: %1").arg(sheets) : QStringLiteral("Лист %1/").arg(i + 1);
    if (first != expected) return QStringLiteral("page %1 begins \"%2\", not \"%3\"").arg(i + 1).arg(first, expected);
  }
  return {};
}

void StepSheetsBeginPages(ScenarioDriver& driver, const std::filesystem::path& pdf, const WorkingFiles& files,
                          const QString& screenshot) {
  driver.Step("printed", [] { return ReportWindowOnTop(); }, [&driver, pdf, &files, screenshot] {
    QString error;
    const QStringList pages = PdfPageTexts(pdf, error);
    driver.Check(error.isEmpty(), error);
    const auto sheets = static_cast<int>(SheetFiles(files).size());
    driver.Check(sheets >= 3, QStringLiteral("%1 sheets").arg(sheets));
    const QString difference = CheckSheetsBeginPages(pages, sheets);
    driver.Check(difference.isEmpty(), difference);
    driver.Check(test::TempFilesIn(pdf.parent_path()) == 0, "no temporary file beside the PDF");
    SavePdfPageImage(pdf, 2, screenshot);
  });
}

namespace {

// Trailing blanks and closing empty lines off, the common left margin out.
QStringList Normalised(QStringList lines) {
  for (QString& line : lines) {
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  qsizetype margin = -1;
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    qsizetype lead = 0;
    while (lead < line.size() && line[lead] == QLatin1Char(' ')) ++lead;
    margin = margin < 0 ? lead : std::min(margin, lead);
  }
  if (margin > 0)
    for (QString& line : lines) line.remove(0, std::min(margin, line.size()));
  return lines;
}

}  // namespace

QString ComparePagesWithSheets(const std::vector<QStringList>& pages, const std::vector<QStringList>& sheets) {
  if (pages.size() != sheets.size())
    return QStringLiteral("%1 pages for %2 sheets").arg(pages.size()).arg(sheets.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const QStringList page = Normalised(pages[i]);
    const QStringList sheet = Normalised(sheets[i]);
    for (qsizetype line = 0; line < std::max(page.size(), sheet.size()); ++line)
      if (page.value(line) != sheet.value(line))
        return QStringLiteral("page %1 line %2: \"%3\" where the sheet has \"%4\"")
            .arg(i + 1)
            .arg(line + 1)
            .arg(page.value(line), sheet.value(line));
  }
  return {};
}

}  // namespace zt::wintest
