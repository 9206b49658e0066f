#include "app/windows/qt_printer.h"

#include <QFontMetrics>
#include <QPrinterInfo>

#include "app/windows/print_font.h"
#include "app/windows/text_codec.h"

namespace zt::app {

namespace {

// The system's installed printers (CUPS on Linux) in the system's order.
std::vector<PrinterQueue> SystemPrinterQueues() {
  std::vector<PrinterQueue> queues;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) queues.push_back({name, {}});
  return queues;
}

// The index of the system's default printer; the first one when the default is
// not listed, -1 when there is none.
int SystemDefaultQueue(const std::vector<PrinterQueue>& queues) {
  const QString wanted = QPrinterInfo::defaultPrinterName();
  for (std::size_t i = 0; i < queues.size(); ++i)
    if (queues[i].name == wanted) return static_cast<int>(i);
  return queues.empty() ? -1 : 0;
}

}  // namespace

QtPrinter::QtPrinter(std::vector<PrinterQueue> queues, int current) : queues_(std::move(queues)) {
  device_.setDocName(QStringLiteral("Zetlogic"));
  font_ = ReportQFont({"Lucida Console", 8});
  Select(current);
}

std::unique_ptr<QtPrinter> QtPrinter::System() {
  auto queues = SystemPrinterQueues();
  const int current = SystemDefaultQueue(queues);
  return std::make_unique<QtPrinter>(std::move(queues), current);
}

std::vector<std::string> QtPrinter::InstalledNames() const {
  std::vector<std::string> names;
  names.reserve(queues_.size());
  for (const PrinterQueue& q : queues_) names.push_back(ToCp1251(q.name));
  return names;
}

int QtPrinter::CurrentIndex() const { return current_; }

void QtPrinter::SetCurrentIndex(int index) {
  if (index >= 0 && index < static_cast<int>(queues_.size())) Select(index);
}

void QtPrinter::Select(int index) {
  if (index < 0 || index >= static_cast<int>(queues_.size())) {
    current_ = -1;
    return;
  }
  current_ = index;
  const PrinterQueue& q = queues_[static_cast<std::size_t>(index)];
  if (q.pdfFile.isEmpty()) {
    device_.setOutputFormat(QPrinter::NativeFormat);
    device_.setPrinterName(q.name);
    // The paper the print dialog will offer first: the metrics are measured on it.
    const QPageSize paper = QPrinterInfo(device_).defaultPageSize();
    if (paper.isValid()) device_.setPageSize(paper);
  } else {
    device_.setOutputFormat(QPrinter::PdfFormat);
    device_.setOutputFileName(q.pdfFile);
  }
}

void QtPrinter::FollowDevice() {
  if (device_.outputFormat() != QPrinter::NativeFormat) return;
  for (std::size_t i = 0; i < queues_.size(); ++i)
    if (queues_[i].pdfFile.isEmpty() && queues_[i].name == device_.printerName()) current_ = static_cast<int>(i);
}

void QtPrinter::SetFont(const report::PrinterFont& font) {
  font_ = ReportQFont(font);
  if (painter_.isActive()) painter_.setFont(font_);
}

int QtPrinter::PageWidth() const { return device_.width(); }

int QtPrinter::PageHeight() const { return device_.height(); }

int QtPrinter::TextHeight(std::string_view text) const {
  if (text.empty()) return 0;
  return QFontMetrics(font_, &device_).height();
}

int QtPrinter::AverageCharWidth() const { return QFontMetrics(font_, &device_).averageCharWidth(); }

bool QtPrinter::BeginTextJob(const report::SheetSize& sheet) {
  failure_ = {};
  if (current_ < 0 || job_ != Job::None || !device_.isValid()) return false;
  if (device_.outputFormat() == QPrinter::PdfFormat && !pdf_.Begin(device_)) {
    failure_ = pdf_.Failure();
    return false;
  }
  job_ = Job::Open;
  sheet_ = sheet;
  layout_.reset();
  return true;
}

void QtPrinter::BeginSheet() {
  if (layout_) layout_->BeginSheet();
}

void QtPrinter::PrintTextLine(std::string_view line) {
  if (job_ != Job::Open) return;
  const QFontMetrics metrics(font_, &device_);
  if (!layout_)
    layout_.emplace(sheet_, device_.width(), device_.height(), report::LinePitch(metrics.height()),
                    metrics.averageCharWidth());
  const bool newPage = layout_->PlaceLine();
  // The document starts with its first line: a job without lines prints no blank page.
  if (!painter_.isActive()) {
    if (!painter_.begin(&device_)) {
      job_ = Job::Broken;
      return;
    }
    painter_.setFont(font_);
    painter_.scale(layout_->Scale(), layout_->Scale());
  } else if (newPage) {
    device_.newPage();
  }
  painter_.drawText(0, layout_->LineTop() + metrics.ascent(), FromCp1251(line));
}

bool QtPrinter::EndTextJob() {
  if (job_ == Job::None) return false;
  const bool printed = painter_.isActive();
  const bool ended = !printed || painter_.end();
  bool whole = job_ == Job::Open && ended;
  job_ = Job::None;
  layout_.reset();
  if (!pdf_.Active()) return whole;
  if (whole)
    whole = pdf_.End(device_, printed);
  else
    pdf_.Abandon(device_);
  failure_ = pdf_.Failure();
  return whole;
}

report::JobFailure QtPrinter::LastJobFailure() const { return failure_; }

}  // namespace zt::app
