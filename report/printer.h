// What printing needs from the platform's printers. Names are Windows-1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/text_job_layout.h"

namespace zt::report {

struct PrinterFont {
  std::string name;
  int size = 0;  // points
};

// Why the last text job failed, for the operator.
struct JobFailure {
  std::string file;  // the file the job was writing; empty for a printer queue
  int error = 0;     // the system's error code; 0 when none is known
};

class Printer {
 public:
  virtual ~Printer() = default;

  // Installed printers in the system's order.
  virtual std::vector<std::string> InstalledNames() const = 0;
  // Index into InstalledNames of the current printer; -1 when there is none.
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;

  // The font of the measurements below and of the text job's lines.
  virtual void SetFont(const PrinterFont& font) = 0;
  // The current printer's page, in device units.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // In the font set last, in device units.
  virtual int TextHeight(std::string_view text) const = 0;
  virtual int AverageCharWidth() const = 0;

  // A text job on the current printer, of sheets cut for `sheet`, its lines
  // laid out by TextJobLayout on the page the job goes to.
  virtual bool BeginTextJob(const SheetSize& sheet) = 0;
  virtual void BeginSheet() = 0;
  virtual void PrintTextLine(std::string_view line) = 0;
  // False when the job did not reach its printer or file whole.
  virtual bool EndTextJob() = 0;
  // After BeginTextJob or EndTextJob gave false.
  virtual JobFailure LastJobFailure() const = 0;
};

}  // namespace zt::report
