#include "app/shell/save_command.h"

#include <system_error>

#include "core/copy_over_file.h"
#include "core/cp1251.h"
#include "core/data_file.h"
#include "core/device_image.h"

namespace zt::shell {
namespace {

constexpr std::string_view kSavedExtension = ".zt";

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp1251(path.native()); }

}  // namespace

std::optional<std::filesystem::path> SaveTargetName(const std::filesystem::path& chosen) {
  const std::string last = chosen.filename().native();
  if (last.empty()) return std::nullopt;
  return chosen.parent_path() / (last.substr(0, last.find('.')) + std::string(kSavedExtension));
}

std::string OverwriteQuestion(const std::filesystem::path& target) {
  return std::string("Файл \""_cp) + PathText(target) + std::string("\"уже существует, перезаписать?"_cp);
}

std::string SavedMessage(const std::filesystem::path& target) {
  return std::string("Файл : \""_cp) + PathText(target) + std::string("\" записан."_cp);
}

bool HasDataToSave(const AppState& state, std::string_view serialHeaderText, Messages& messages) {
  if (!state.imageHoldsShownData || !IsCompleteDataFile(state.files.ImageFile())) {
    messages.Show(MessageKind::Warning, "Нет прочитанных данных!!!"_cp);
    return false;
  }
  if (serialHeaderText == kDitto) {
    messages.Show(MessageKind::Warning, "Нет данных!!!"_cp);
    return false;
  }
  return true;
}

bool SaveShownData(const AppState& state, const std::filesystem::path& chosen, Messages& messages) {
  const auto target = SaveTargetName(chosen);
  if (!target) return false;
  std::error_code ec;
  if (std::filesystem::exists(*target, ec) && !messages.Show(MessageKind::Confirmation, OverwriteQuestion(*target)))
    return false;
  if (!CopyOverFile(*target, state.files.ImageFile(), messages, SameFileCopy::Refused)) return false;
  messages.Show(MessageKind::Information, SavedMessage(*target));
  return true;
}

std::string ShownSerialText(const DecodedImage& image) {
  const std::string& text = image.header[kHeaderSerial];
  return text.substr(0, text.find('\0'));
}

bool WriteAllowed(std::string_view serialHeaderText, bool deviceRead, Messages& messages) {
  if (serialHeaderText != kDitto && deviceRead) return true;
  messages.Show(MessageKind::Error, "Перед записью необходимо выполнить чтение"_cp);
  return false;
}

}  // namespace zt::shell
