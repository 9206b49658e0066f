// The report logic's printer over Qt's printing: the installed printers and
// the current one, page and font metrics in the printer's device units, and
// the text job. One QPrinter serves all of it and the print and printer
// set-up dialogs, so what the operator sets there is what prints.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "app/windows/pdf_output.h"
#include "report/printer.h"

namespace zt::app {

// One printer as the program offers it: a spooler queue, or a PDF file.
struct PrinterQueue {
  QString name;
  QString pdfFile;  // set: jobs are written to this file instead of a queue
};

class QtPrinter final : public report::Printer {
 public:
  QtPrinter(std::vector<PrinterQueue> queues, int current);
  // The system's printers, its default one current.
  static std::unique_ptr<QtPrinter> System();

  std::vector<std::string> InstalledNames() const override;
  int CurrentIndex() const override;
  void SetCurrentIndex(int index) override;

  void SetFont(const report::PrinterFont& font) override;
  int PageWidth() const override;
  int PageHeight() const override;
  int TextHeight(std::string_view text) const override;
  int AverageCharWidth() const override;

  bool BeginTextJob(const report::SheetSize& sheet) override;
  void BeginSheet() override;
  void PrintTextLine(std::string_view line) override;
  bool EndTextJob() override;
  report::JobFailure LastJobFailure() const override;

  // What the dialogs work on.
  QPrinter& Device() { return device_; }
  // A dialog may have chosen another printer on the device.
  void FollowDevice();
  const std::vector<PrinterQueue>& Queues() const { return queues_; }

 private:
  void Select(int index);

  std::vector<PrinterQueue> queues_;
  int current_ = -1;
  QPrinter device_{QPrinter::HighResolution};
  QFont font_;
  QPainter painter_;
  report::SheetSize sheet_;
  // Measured on the page the job really goes to, which the print dialog may have changed.
  std::optional<report::TextJobLayout> layout_;
  enum class Job { None, Open, Broken };  // Broken: the painter could not start
  Job job_ = Job::None;
  PdfOutput pdf_;  // while a job writes a PDF file
  report::JobFailure failure_;
};

}  // namespace zt::app
