// The operator's modal message boxes, behind an interface so that the same
// logic runs under the windows, the command-line tool and tests.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zt {

enum class MessageKind { Warning, Error, Information, Confirmation };

class Messages {
 public:
  virtual ~Messages() = default;
  // Texts are Windows-1251. Returns true for OK, and for Yes on a confirmation.
  virtual bool Show(MessageKind kind, std::string_view text) = 0;
};

// Records every message and answers confirmations as it was told (tests, tools).
class RecordingMessages final : public Messages {
 public:
  explicit RecordingMessages(bool confirm = true) : confirm_(confirm) {}
  bool Show(MessageKind kind, std::string_view text) override {
    shown.emplace_back(kind, std::string(text));
    return kind != MessageKind::Confirmation || confirm_;
  }
  std::vector<std::pair<MessageKind, std::string>> shown;

 private:
  bool confirm_;
};

}  // namespace zt
