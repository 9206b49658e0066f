// The fixed lines before the first table and after the last.
#pragma once

#include "core/clock.h"
#include "core/device_image.h"
#include "report/period.h"
#include "report/report_lines.h"
#include "report/report_request.h"

namespace zt::report {

// The first line is the generation line with the clock's date and time.
void WriteReportHeader(ReportLines& out, Language language, const DecodedImage& image, const Period& period,
                       const Clock& clock);
void WriteReportFooter(ReportLines& out, Language language, const Period& period);

}  // namespace zt::report
