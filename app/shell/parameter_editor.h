// The parameter editor's logic: the three texts the recorder can be given
// (enterprise, pipeline branch, meter), what the operator may type into them,
// and what "ДА" and "ОТМЕНА" leave behind for the writing run.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/device_image.h"
#include "link/frame.h"
#include "link/writing_run.h"

namespace zt::shell {

// The recorder keeps 30 characters of each text.
inline constexpr std::size_t kRecorderTextLength = 30;

// Factory, Tube, Meter: header entries 4, 5 and 6, Windows-1251.
using EditorTexts = std::array<std::string, 3>;

// Whether a typed text (UTF-8) reaches the recorder as it stands: at most 30
// characters, each one of Windows-1251 and none a control character.
bool IsRecorderText(std::string_view utf8);

// A header text (Windows-1251) as the editor opens with it: without the
// characters that could not be typed, at most 30 of them.
std::string EditorTextOf(std::string_view headerText);

class ParameterEditor {
 public:
  // The editor opening: nothing confirmed, no clock correction, the header's texts.
  explicit ParameterEditor(const DecodedImage& image);

  const EditorTexts& OpeningTexts() const { return opening_; }

  // "ДА" or Enter, with the texts as typed and the clock check box.
  void Confirm(EditorTexts typed, bool clockTicked);
  // "ОТМЕНА" or Esc.
  void Cancel();

  bool Confirmed() const { return confirmed_; }
  bool ClockCorrection() const { return confirmed_ && clockTicked_; }

  // The window closing: when confirmed, header entries 4, 5 and 6 take the
  // typed texts. clockCorrection (the writing run's flag) is set only by a
  // confirmation with the box ticked. True when the writing is to start.
  bool Close(DecodedImage& image, bool& clockCorrection) const;

 private:
  EditorTexts opening_;
  EditorTexts typed_;
  bool confirmed_ = false;
  bool clockTicked_ = false;
};

// What the writing run sends: header entries 4, 5, 6 and the clock flag.
link::WriteParameters WriteParametersOf(const DecodedImage& image, bool clockCorrection);

// Header entries 4, 5 and 6 as they stand, kept before the editor's
// confirmation replaces them.
EditorTexts EditedHeaderTexts(const DecodedImage& image);

// After the writing run: each of header entries 4, 5 and 6 shows what the
// recorder holds, the new text where it acknowledged it and the one kept
// before the edit where it refused it or it was not sent.
void KeepAcknowledgedTexts(DecodedImage& image, const EditorTexts& before,
                           const std::function<bool(link::CommandType)>& acknowledged);

}  // namespace zt::shell
