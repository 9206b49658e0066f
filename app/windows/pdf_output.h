// A PDF file that Qt's printer writes by name, replaced as a whole like every
// other output: the printer writes a temporary file beside it, renamed over it
// only once the document is complete, so a failed, stopped or killed print
// leaves the old file as it was.
#pragma once

#include <QPrinter>
#include <QString>

#include "core/output_file.h"
#include "report/printer.h"

namespace zt::app {

class PdfOutput {
 public:
  // Points the printer at the temporary file; false when it cannot be made.
  bool Begin(QPrinter& printer);
  // printed: the printer wrote a document, now complete. Without one the old
  // file stays. Either way the printer gets its file name back.
  bool End(QPrinter& printer, bool printed);
  // The job broke off: the old file stays.
  void Abandon(QPrinter& printer);

  bool Active() const { return file_.IsOpen(); }
  const report::JobFailure& Failure() const { return failure_; }

 private:
  void Fail(int error);

  OutputFile file_;
  QString target_;
  report::JobFailure failure_;
};

}  // namespace zt::app
