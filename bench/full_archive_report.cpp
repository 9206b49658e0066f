#include "bench/full_archive_report.h"

#include "core/clock.h"

namespace zt::bench {

report::BuildResult BuildFullArchiveReport(const ArchiveTables& tables, const DecodedImage& image,
                                           const WorkingFiles& files, ArchiveKind archive) {
  report::NoEventPump pump;
  return BuildFullArchiveReport(tables, image, files, archive, pump);
}

report::BuildResult BuildFullArchiveReport(const ArchiveTables& tables, const DecodedImage& image,
                                           const WorkingFiles& files, ArchiveKind archive,
                                           report::EventPump& pump) {
  SilentMessages messages;
  report::YieldPoint yield(pump);
  report::StopRequest stop;
  const FixedClock clock({2026, 12, 7, 10, 30, 15});
  const report::ReportSources sources{tables, image, clock, messages, yield, stop};
  report::ReportRequest request;
  request.archive = archive;
  request.beginDate = "01.01.2000";
  request.beginTime = "00:00:00";
  request.endDate = "24.11.2031";
  request.endTime = "23:59:59";
  return report::BuildReport(sources, stop, request, files);
}

}  // namespace zt::bench
