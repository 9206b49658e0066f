#include "app/windows/pdf_output.h"

#include <fstream>
#include <string>

#include "app/windows/text_codec.h"

namespace zt::app {
namespace {

constexpr std::string_view kHead = "%PDF-";
constexpr std::string_view kEnd = "%%EOF";
constexpr std::streamoff kTail = 1024;

// Qt's PDF writer does not report failed writes (a full disk, a file-size
// limit): a document cut short lacks its head or its end marker.
bool IsWholePdf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  const std::streamoff size = in.tellg();
  if (!in || size < static_cast<std::streamoff>(kHead.size() + kEnd.size())) return false;
  std::string head(kHead.size(), '\0');
  in.seekg(0);
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  const std::streamoff from = size > kTail ? size - kTail : 0;
  std::string tail(static_cast<std::size_t>(size - from), '\0');
  in.seekg(from);
  in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  return in && head == kHead && tail.find(kEnd) != std::string::npos;
}

}  // namespace

bool PdfOutput::Begin(QPrinter& printer) {
  failure_ = {};
  target_ = printer.outputFileName();
  if (!file_.Open(std::filesystem::path(target_.toStdString()))) {
    Fail(file_.ErrorCode());
    return false;
  }
  printer.setOutputFileName(QString::fromStdString(file_.WritePath().string()));
  return true;
}

bool PdfOutput::End(QPrinter& printer, bool printed) {
  if (!Active()) return true;
  printer.setOutputFileName(target_);
  if (!printed) {
    file_.Discard();
    return true;
  }
  if (file_.Replaces() && !IsWholePdf(file_.WritePath())) {
    file_.Discard();
    Fail(0);
    return false;
  }
  if (!file_.Commit()) {
    Fail(file_.ErrorCode());
    return false;
  }
  return true;
}

void PdfOutput::Abandon(QPrinter& printer) {
  if (!Active()) return;
  printer.setOutputFileName(target_);
  file_.Discard();
  Fail(0);
}

void PdfOutput::Fail(int error) { failure_ = {ToCp1251(target_), error}; }

}  // namespace zt::app
