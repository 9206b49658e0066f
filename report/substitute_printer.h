// A printer without hardware: a fixed list of installed names, fixed page and
// font metrics, and jobs kept in memory page by page as a text job would lay
// them out. Tests and the command-line tool print on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/printer.h"

namespace zt::report {

struct SubstitutePrinterModel {
  std::vector<std::string> names;
  int current = 0;
  int pageWidth = 4800;
  int pageHeight = 6600;
  int textHeight = 98;
  int averageCharWidth = 40;
};

struct PrintedJob {
  PrinterFont font;
  std::string printer;
  std::vector<std::vector<std::string>> pages;
  double scale = 1;  // of the layout: less than 1 for sheets cut for a larger page
  bool ended = false;
};

class SubstitutePrinter final : public Printer {
 public:
  explicit SubstitutePrinter(SubstitutePrinterModel model);

  std::vector<std::string> InstalledNames() const override { return model_.names; }
  int CurrentIndex() const override;
  void SetCurrentIndex(int index) override;

  void SetFont(const PrinterFont& font) override;
  int PageWidth() const override { return model_.pageWidth; }
  int PageHeight() const override { return model_.pageHeight; }
  int TextHeight(std::string_view text) const override;
  int AverageCharWidth() const override { return model_.averageCharWidth; }

  bool BeginTextJob(const SheetSize& sheet) override;
  void BeginSheet() override;
  void PrintTextLine(std::string_view line) override;
  bool EndTextJob() override;
  // Its jobs go nowhere: there is nothing to fail.
  JobFailure LastJobFailure() const override { return {}; }

  const PrinterFont& Font() const { return font_; }
  const std::vector<PrintedJob>& Jobs() const { return jobs_; }

 private:
  SubstitutePrinterModel model_;
  PrinterFont font_;
  std::vector<PrintedJob> jobs_;
  bool inJob_ = false;
  SheetSize sheet_;
  std::optional<TextJobLayout> layout_;  // from the job's first line, in the font then set
};

}  // namespace zt::report
