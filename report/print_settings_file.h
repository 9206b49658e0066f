// Work/FileInRS.000: the print settings, ten CR LF lines behind a version tag.
#pragma once

#include <string>
#include <string_view>

#include "core/messages.h"
#include "core/working_files.h"
#include "report/print_settings.h"
#include "report/printer.h"

namespace zt::report {

inline constexpr std::string_view kPrintSettingsVersionTag = "Zetlogic-1.10";

// What the file's text sets. Fields it does not give (missing lines, texts
// that are not numbers) keep their values. A full file also looks up its
// printer: found, the stored metrics become the working ones; not found, the
// stored metrics and printer name are forgotten. False, and nothing set, when
// the first line is not the version tag.
bool PrintSettingsFromText(std::string_view fileText, PrintSetup& setup, Printer& printer, Messages& messages);
// As PrintSettingsFromText from the file; a file of another version is deleted.
void LoadPrintSettings(const WorkingFiles& files, PrintSetup& setup, Printer& printer, Messages& messages);

// The file's ten CR LF lines.
std::string PrintSettingsText(const PrintSettings& settings);
// False when the file could not be written; the old file then stays whole.
bool SavePrintSettings(const WorkingFiles& files, const PrintSettings& settings);

}  // namespace zt::report
