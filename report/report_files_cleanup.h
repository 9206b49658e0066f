// The files a report leaves behind, removed when the report window closes.
#pragma once

#include "core/working_files.h"

namespace zt::report {

inline constexpr int kSheetFilesRemoved = 100;

// RepDay and the sheet files RpList1 to RpList100 that exist.
void DeleteReportFiles(const WorkingFiles& files);

}  // namespace zt::report
