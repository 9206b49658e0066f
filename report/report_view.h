// The plain view of a report: its text file, line by line, into the preview.
#pragma once

#include <filesystem>

#include "report/build_control.h"
#include "report/report_preview.h"

namespace zt::report {

// False when the file cannot be read or the stop request ended the view.
bool ShowReport(const std::filesystem::path& reportText, ReportPreview& preview, YieldPoint& yield,
                const StopRequest& stop);

}  // namespace zt::report
