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
#include "core/device_image.h"
#include "core/messages.h"

namespace zt::shell {

// The chosen name with its last component cut before its first "." and
// ".zt" added (abc.old.zt -> abc.zt); folders keep their full stops. Nothing
// for an empty name or one that ends in a folder separator.
std::optional<std::filesystem::path> SaveTargetName(const std::filesystem::path& chosen);

std::string OverwriteQuestion(const std::filesystem::path& target);
std::string SavedMessage(const std::filesystem::path& target);

// The shown data are worth saving: they are in the image file, which is
// complete ("Нет прочитанных данных!!!" otherwise), and the serial-number
// header text is not the ditto mark ("Нет данных!!!" otherwise). Warnings go
// to messages. After a load or reading that stopped or failed the image file
// does not hold what is shown, so nothing is saved until the next complete one.
bool HasDataToSave(const AppState& state, std::string_view serialHeaderText, Messages& messages);

// After the dialog: asks before replacing an existing target, copies the
// image file over it and tells "записан" only when the copy succeeded
// (CopyOverFile reports its own failures). True when the file was written.
// The image file, not the file opened: it is what the check above vouches
// for, and a save onto the opened file's own name is then a plain copy.
bool SaveShownData(const AppState& state, const std::filesystem::path& chosen, Messages& messages);

// The serial-number header text as the header shows it: up to a zero byte,
// as the recorder's texts end. The save name and the checks take it from the
// data, never from the label.
std::string ShownSerialText(const DecodedImage& image);

// "ЗАПИСЬ" may go on: the serial-number header text is not the ditto mark and
// this run has read the recorder; otherwise the error is shown.
bool WriteAllowed(std::string_view serialHeaderText, bool deviceRead, Messages& messages);

}  // namespace zt::shell
