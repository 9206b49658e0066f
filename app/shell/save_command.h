// "СОХРАНИТЬ ФАЙЛ КАК  *.zt" and the check before "ЗАПИСЬ". Texts are
// Windows-1251; file names (bytes on Linux, taken as UTF-8) are converted.
//
// Host, for the save command: HasDataToSave; stop if false. Show the save
// dialog in files.ReportFolder() proposing DefaultSaveName (core/conversions.h)
// of the serial-number header text; stop if cancelled. Then SaveShownData
// with the chosen name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/shell/app_state.h"
#include "core/messages.h"

namespace zt::shell {

// The chosen name with its last component cut before its first "." and
// ".zt" added (abc.old.zt -> abc.zt); folders keep their full stops. Nothing
// for an empty name or one that ends in a folder separator.
std::optional<std::filesystem::path> SaveTargetName(const std::filesystem::path& chosen);

std::string OverwriteQuestion(const std::filesystem::path& target);
std::string SavedMessage(const std::filesystem::path& target);

// The shown data are worth saving: the data file is complete ("Нет
// прочитанных данных!!!" otherwise) and the serial-number header text is not
// the ditto mark ("Нет данных!!!" otherwise). Warnings go to messages.
bool HasDataToSave(const std::filesystem::path& dataFile, std::string_view serialHeaderText, Messages& messages);
bool HasDataToSave(const AppState& state, std::string_view serialHeaderText, Messages& messages);

// After the dialog: asks before replacing an existing target, copies the
// shown data file over it and tells "записан" only when the copy succeeded
// (CopyOverFile reports its own failures). True when the file was written.
//
// The copy is taken from the current data file rather than the image file:
// the two hold the same data after a complete load, but a load stopped half
// way leaves the image file as it was, and saving it would put other data
// under the name of the file shown.
bool SaveShownData(const AppState& state, const std::filesystem::path& chosen, Messages& messages);

// "ЗАПИСЬ" may go on: the serial-number header text is not the ditto mark and
// this run has read the recorder; otherwise the error is shown.
bool WriteAllowed(std::string_view serialHeaderText, bool deviceRead, Messages& messages);

}  // namespace zt::shell
