// The report both report benchmarks time or cut: every table of one archive
// over a period that holds every record.
#pragma once

#include "core/archive_table.h"
#include "core/device_image.h"
#include "core/messages.h"
#include "core/working_files.h"
#include "report/report_builder.h"

namespace zt::bench {

class SilentMessages final : public Messages {
 public:
  bool Show(MessageKind, std::string_view) override { return true; }
};

report::BuildResult BuildFullArchiveReport(const ArchiveTables& tables, const DecodedImage& image,
                                           const WorkingFiles& files, ArchiveKind archive);
// The same, yielding to the pump as a window's build does.
report::BuildResult BuildFullArchiveReport(const ArchiveTables& tables, const DecodedImage& image,
                                           const WorkingFiles& files, ArchiveKind archive,
                                           report::EventPump& pump);

}  // namespace zt::bench
