#include "app/shell/parameter_editor.h"

#include "core/cp1251.h"

namespace zt::shell {
namespace {

constexpr HeaderField kEditedFields[] = {kHeaderEnterprise, kHeaderBranch, kHeaderMeter};
// The command that writes each of them, in the same order.
constexpr link::CommandType kWritingCommands[] = {link::CommandType::WriteEnterprise, link::CommandType::WriteBranch,
                                                  link::CommandType::WriteMeter};

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

// The byte 0x98 is the one Windows-1251 leaves undefined.
bool IsTypableByte(unsigned char byte) { return byte >= 0x20 && byte != 0x7F && byte != 0x98; }

}  // namespace

bool IsRecorderText(std::string_view utf8) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    if (++characters > kRecorderTextLength) return false;
    if (IsControl(cp)) return false;
    if (cp >= 0x80 && Cp1251FromCodePoint(cp) == '?') return false;
  }
  return true;
}

std::string EditorTextOf(std::string_view headerText) {
  std::string text;
  for (const char c : headerText) {
    if (text.size() == kRecorderTextLength) break;
    if (IsTypableByte(static_cast<unsigned char>(c))) text += c;
  }
  return text;
}

ParameterEditor::ParameterEditor(const DecodedImage& image) {
  for (std::size_t i = 0; i < opening_.size(); ++i) opening_[i] = EditorTextOf(image.header[kEditedFields[i]]);
}

void ParameterEditor::Confirm(EditorTexts typed, bool clockTicked) {
  typed_ = std::move(typed);
  clockTicked_ = clockTicked;
  confirmed_ = true;
}

void ParameterEditor::Cancel() {
  confirmed_ = false;
  clockTicked_ = false;
}

bool ParameterEditor::Close(DecodedImage& image, bool& clockCorrection) const {
  clockCorrection = ClockCorrection();
  if (!confirmed_) return false;
  for (std::size_t i = 0; i < typed_.size(); ++i) image.header[kEditedFields[i]] = typed_[i];
  return true;
}

link::WriteParameters WriteParametersOf(const DecodedImage& image, bool clockCorrection) {
  return {image.header[kHeaderEnterprise], image.header[kHeaderBranch], image.header[kHeaderMeter], clockCorrection};
}

EditorTexts EditedHeaderTexts(const DecodedImage& image) {
  EditorTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = image.header[kEditedFields[i]];
  return texts;
}

void KeepAcknowledgedTexts(DecodedImage& image, const EditorTexts& before,
                           const std::function<bool(link::CommandType)>& acknowledged) {
  for (std::size_t i = 0; i < before.size(); ++i)
    if (!acknowledged(kWritingCommands[i])) image.header[kEditedFields[i]] = before[i];
}

}  // namespace zt::shell
