// Builds the report text file RepDay from the two archive tables over a
// period: checks, header, the chosen tables, footer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/archive_table.h"
#include "core/clock.h"
#include "core/device_image.h"
#include "core/messages.h"
#include "core/working_files.h"
#include "report/build_control.h"
#include "report/period.h"
#include "report/report_lines.h"
#include "report/report_request.h"
#include "report/sorted_records.h"

namespace zt::report {

enum class BuildResult : std::uint8_t {
  Built = 0,
  InvalidPeriod = 1,  // both boxes shown: the date error, then no information
  NoData = 2,         // nothing loaded, or no record in the period; box shown
  FileFailed = 3,     // the report text file could not be created; no box
  Stopped = 4,        // F10: rows skipped, header and footer written
  WriteFailed = 5,    // the file could not be written whole (full disk)
};

// What a build reads and talks to; all of it outlives the builder.
struct ReportSources {
  const ArchiveTables& tables;
  const DecodedImage& image;  // header texts, sensor count
  const Clock& clock;         // the generation line
  Messages& messages;
  YieldPoint& yield;
  const StopRequest& stop;
};

class ReportBuilder {
 public:
  explicit ReportBuilder(const ReportSources& sources) : src_(sources) {}

  // Checks the period and the data, sorts the records and creates the file.
  // On failure shows the boxes, writes nothing and returns the reason.
  BuildResult Prepare(const ReportRequest& request, const std::filesystem::path& textFile);
  void WriteHeader();
  void BuildTables();
  void WriteFooter();
  // Built, Stopped (the stop request was seen) or WriteFailed.
  BuildResult Close();

  const Period& ReportPeriod() const { return period_; }

 private:
  ReportSources src_;
  ReportRequest request_;
  Period period_;
  SortedRecords timeRecords_;
  SortedRecords operationalRecords_;
  FileReportLines out_;
};

// The whole build in the order of the print wait window: clears the stop
// request, prepares, writes header, tables and footer into RepDay, closes.
BuildResult BuildReport(const ReportSources& sources, StopRequest& stop, const ReportRequest& request,
                        const WorkingFiles& files);

}  // namespace zt::report
