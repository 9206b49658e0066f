// The --sheets options of zt report: the report cut into sheet files as for printing.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/messages.h"
#include "report/pagination.h"
#include "tools/zt/args.h"

namespace zt::cli {

struct SheetRequest {
  std::optional<std::filesystem::path> folder;  // none: no sheets wanted
  report::PageLayout layout;
};

// The value options of zt report together with the sheet options.
std::set<std::string> WithSheetOptions(std::set<std::string> options);

// nullopt with error set when the sheet options are wrong or incomplete, or
// leave no room for a report line on a sheet.
std::optional<SheetRequest> SheetRequestOf(const Args& args, std::string& error);

// The sheet files RpList1, RpList2, ... already in the folder (none without one).
std::vector<std::filesystem::path> ExistingSheetFiles(const SheetRequest& request);

// Removes the sheet files of an earlier report from the folder, paginates the
// report text into it and prints the number of sheets; 0, or non-zero with
// the reason on stderr. Nothing to do without a folder.
int WriteSheets(const SheetRequest& request, const std::filesystem::path& reportText, Messages& messages);

}  // namespace zt::cli
