// The recorder's password before every reading and writing.
//
// Host: keep one `std::string` for the last password text for the whole
// program run (empty at start-up) and pass it in. Create the step with the
// operation mode; Accept(entry) is "Да"/Enter: it checks the entry, opens the
// port and starts the exchange (a refusal shows its message and returns
// false). Call Tick() every 50 ms while Waiting(). The Password command goes
// out on a quiet line, and its reply is judged once the line is quiet again,
// so that the run that follows finds nothing of it still coming and a refusal
// in pieces is still a refusal. When Accepted() the window
// closes and the reading run (mode Reading) or the parameter editor (mode
// Writing) follows, with the port left open. Any other ending leaves the
// window open for another try; Code() tells which. Cancel() is "Отмена"/Esc.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "link/link_protocol.h"
#include "link/quiet_line.h"
#include "link/run_message.h"

namespace zt::link {

inline constexpr int kPasswordTickMs = 50;
inline constexpr std::uint16_t kPasswordSendStep = 5;
inline constexpr std::uint16_t kPasswordFailStep = 51;
// One 50 ms tick without a byte: longer than any reply of the recorder (a page
// takes 17.4 ms at 38400 baud) with its turnaround and an adapter's hold-back.
inline constexpr int kPasswordQuietTicks = 1;
// The 500 ms wait bar, counted in password ticks.
inline constexpr int kPasswordBarTicks = 10;

enum class OperationMode : std::uint8_t { Reading = 1, Writing = 2 };

enum class PasswordCode : std::uint8_t {
  None,         // idle or waiting
  Accepted,     // the recorder took the password
  BadEntry,     // not an integer, or not the last password text when writing
  PortFailed,   // the port could not be opened
  Rejected,     // the recorder refused the password
  NoReply,      // no reply in time, or the port was lost
  Cancelled,    // "Отмена" or Esc
};

// The 16 bits sent for an entry; nothing when the entry is not a 32-bit integer
// (blanks are ignored).
struct PasswordNumber {
  bool valid = false;
  std::uint16_t value = 0;
};
PasswordNumber PasswordNumberOf(std::string_view entry);

// The error box an ending shows; none for Accepted and Cancelled.
std::optional<RunMessage> PasswordFinishMessage(PasswordCode code);

class PasswordStep {
 public:
  PasswordStep(LinkProtocol& protocol, Messages& messages, std::string& lastPasswordText, OperationMode mode);

  bool Accept(std::string_view entry);
  void Tick();
  void Cancel();

  bool Waiting() const { return waiting_; }
  bool Accepted() const { return code_ == PasswordCode::Accepted; }
  PasswordCode Code() const { return code_; }
  OperationMode Mode() const { return mode_; }
  std::uint16_t Step() const { return step_; }
  // The wait strip and its bar.
  bool WaitVisible() const { return waiting_; }
  int WaitProgress() const { return waitProgress_; }

 private:
  void StepSend();
  void StepWaiting();
  void Finish(PasswordCode code);

  LinkProtocol& protocol_;
  Messages& messages_;
  std::string& lastPasswordText_;
  OperationMode mode_;
  std::string entry_;
  std::uint16_t step_ = 0;
  QuietLine quiet_;
  bool waiting_ = false;
  PasswordCode code_ = PasswordCode::None;
  int waitProgress_ = 0;
  int barTicks_ = 0;
};

}  // namespace zt::link
