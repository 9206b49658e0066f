#include "report/report_view.h"

#include "core/input_file.h"
#include "core/text_lines.h"

namespace zt::report {

bool ShowReport(const std::filesystem::path& reportText, ReportPreview& preview, YieldPoint& yield,
                const StopRequest& stop) {
  const auto text = ReadWholeFile(reportText);
  if (!text) return false;
  std::string_view rest = *text;
  while (const auto line = TakeTextLine(rest)) {
    yield();
    if (stop.IsSet()) return false;
    preview.AppendLine(*line);
  }
  return true;
}

}  // namespace zt::report
