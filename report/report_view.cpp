#include "report/report_view.h"

#include <fstream>
#include <string>

#include "report/text_file.h"

namespace zt::report {

bool ShowReport(const std::filesystem::path& reportText, ReportPreview& preview, YieldPoint& yield,
                const StopRequest& stop) {
  std::ifstream in(reportText, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (ReadTextLine(in, line)) {
    yield();
    if (stop.IsSet()) return false;
    preview.AppendLine(line);
  }
  return !in.bad();
}

}  // namespace zt::report
