#include "report/report_files_cleanup.h"

#include <system_error>

namespace zt::report {

void DeleteReportFiles(const WorkingFiles& files) {
  std::error_code ec;
  for (int n = 1; n <= kSheetFilesRemoved; ++n) std::filesystem::remove(files.SheetFile(n), ec);
  std::filesystem::remove(files.ReportTextFile(), ec);
}

}  // namespace zt::report
