// The writing run: the recorder's clock (when asked for), then the enterprise,
// branch and meter texts, each command waiting for its acknowledgement.
//
// Host: after the parameter editor was confirmed (port open from the password
// step), create the run with the three texts and the clock-correction flag,
// call Start() (the window's first 100 ms tick), then Tick() every 5 ms while
// Running(). The first command waits until the line has been quiet, so that
// nothing left of an earlier exchange (the password's reply, say) can pass for
// its acknowledgement; the acknowledgements all look alike. Each later
// acknowledgement is taken inside the data event and the next command goes
// out at once; ticks count the time-outs. RequestStop() is
// "Стоп"/Esc; Close() is the title-bar close (ends at once, no message). The
// run leaves the port open. Code() tells how it ended; its message is shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "link/link_run.h"
#include "link/quiet_line.h"

namespace zt::link {

inline constexpr int kWritingTickMs = 5;
inline constexpr std::uint16_t kWriteFailStep = 31;
// Waiting for a quiet line before the first command.
inline constexpr std::uint16_t kWriteQuietStep = 32;
inline constexpr int kWriteGaugeMax = 4;

struct WriteParameters {
  std::string enterprise;  // Windows-1251, any length; fitted to 30 in the frame
  std::string branch;
  std::string meter;
  bool clockCorrection = false;
};

enum class WriteCode : std::uint8_t {
  Written,      // "Запись норма"
  Stopped,      // "Запись прервана"
  DeviceError,  // "Ошибка RS - " and the recorder's error text
  NoLink,       // "Ошибка - связи с прибором!!!"
  Closed,       // the window was closed; nothing shown
};

// The message an ending shows; none for Closed. deviceErrorText: the recorder's.
std::optional<RunMessage> WriteFinishMessage(WriteCode code, std::string_view deviceErrorText);

class WritingRun final : public LinkRun {
 public:
  WritingRun(LinkProtocol& protocol, Messages& messages, WriteParameters parameters);

  void Start();
  void Tick();
  void Close();

  WriteCode Code() const { return code_; }
  std::uint16_t Step() const { return step_; }
  // The type of the command to issue next, 4 .. 8 (8: all done).
  std::uint16_t NextCommand() const { return nextCommand_; }
  int Gauge() const { return gauge_; }
  // The recorder acknowledged the command (Set clock .. Write meter) in this
  // run; the commands go out in order, so an acknowledgement covers the ones
  // before. A skipped clock counts as acknowledged.
  bool Acknowledged(CommandType type) const { return static_cast<std::uint16_t>(type) <= lastAcknowledged_; }

  void ReplyCompleted() override;

 private:
  void IssueNext();
  void CheckWaiting();
  void StepQuiet();
  void Finish(WriteCode code);

  WriteParameters parameters_;
  std::uint16_t step_ = 0;
  std::uint16_t nextCommand_ = 4;
  std::uint16_t lastAcknowledged_ = 3;
  QuietLine quiet_;
  WriteCode code_ = WriteCode::Written;
  int gauge_ = 0;
};

}  // namespace zt::link
