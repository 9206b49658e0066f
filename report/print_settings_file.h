// Work/FileInRS.000: the print settings, ten CR LF lines behind a version tag.
#pragma once

#include <string_view>

#include "core/messages.h"
#include "core/working_files.h"
#include "report/print_settings.h"
#include "report/printer.h"

namespace zt::report {

inline constexpr std::string_view kPrintSettingsVersionTag = "Zetlogic-1.10";

// Fields the file does not give (missing lines, texts that are not numbers)
// keep their values; a file of another version is deleted. A full file also
// looks up its printer: found, the stored metrics become the working ones;
// not found, the stored metrics and printer name are forgotten.
void LoadPrintSettings(const WorkingFiles& files, PrintSetup& setup, Printer& printer, Messages& messages);

// False when the file could not be written; the old file then stays whole.
bool SavePrintSettings(const WorkingFiles& files, const PrintSettings& settings);

}  // namespace zt::report
