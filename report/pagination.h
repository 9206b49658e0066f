// Cutting the report text file into sheet files RpList1, RpList2, ... that
// the printer's text output lays out one page each.
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/messages.h"
#include "core/working_files.h"
#include "report/build_control.h"
#include "report/print_settings.h"
#include "report/report_preview.h"

namespace zt::report {

struct PageLayout {
  int linesPerSheet = 0;  // P
  int charsPerLine = 0;   // C
  int leftIndent = 0;     // LI, spaces before every line
  int topMargin = 0;      // TM, empty lines after a sheet's heading
  int bottomMargin = 0;   // BM; a full sheet ends with BM + 2 empty lines
};

// The working metrics with the indent and margins of the settings.
PageLayout LayoutOf(const PrintSetup& setup);

enum class PaginationResult : std::uint8_t {
  Paginated = 0,
  ReportUnreadable = 1,  // the report text file is missing or unreadable; no box
  LineTooLong = 2,       // box shown
  SheetFailed = 3,       // a sheet file could not be created or written; no box
  Stopped = 4,           // the stop request was seen
};

struct Pagination {
  PaginationResult result = PaginationResult::ReportUnreadable;
  int sheets = 0;  // sheets written; on success the number offered for printing
};

struct PaginationTarget {
  const WorkingFiles& sheetFolder;  // where SheetFile(n) is written
  ReportPreview& preview;
  Messages& messages;
  YieldPoint& yield;
  const StopRequest& stop;
};

// A counting pass that finds the number of sheets and rejects lines too long
// for the sheet before anything is shown, then the output pass.
Pagination PaginateReport(const std::filesystem::path& reportText, const PageLayout& layout,
                          const PaginationTarget& target);

}  // namespace zt::report
