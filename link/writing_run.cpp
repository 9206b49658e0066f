#include "link/writing_run.h"

#include <algorithm>

#include "core/cp1251.h"

namespace zt::link {
namespace {

constexpr std::uint16_t kFirstCommand = 4;
constexpr std::uint16_t kAllDone = 8;
constexpr std::uint16_t kFirstWaitStep = 1;
constexpr std::uint16_t kLastWaitStep = 30;
static_assert(kWritingTickMs == kQuietTickMs);

}  // namespace

std::optional<RunMessage> WriteFinishMessage(WriteCode code, std::string_view deviceErrorText) {
  switch (code) {
    case WriteCode::Written:
      return RunMessage{MessageKind::Information, std::string("Запись норма"_cp)};
    case WriteCode::Stopped:
      return RunMessage{MessageKind::Information, std::string("Запись прервана"_cp)};
    case WriteCode::DeviceError:
      return RunMessage{MessageKind::Error, std::string("Ошибка RS - "_cp) + std::string(deviceErrorText)};
    case WriteCode::NoLink:
      return RunMessage{MessageKind::Error, std::string("Ошибка - связи с прибором!!!"_cp)};
    case WriteCode::Closed:
      break;
  }
  return std::nullopt;
}

WritingRun::WritingRun(LinkProtocol& protocol, Messages& messages, WriteParameters parameters)
    : LinkRun(protocol, messages), parameters_(std::move(parameters)), quiet_(protocol) {}

void WritingRun::Start() {
  step_ = kWriteQuietStep;
  quiet_.Restart();
  nextCommand_ = kFirstCommand;
  lastAcknowledged_ = kFirstCommand - 1;
  stopRequest_ = false;
  gauge_ = 0;
  CommandInputs& inputs = protocol_.Inputs();
  inputs.enterprise = parameters_.enterprise;
  inputs.branch = parameters_.branch;
  inputs.meter = parameters_.meter;
  Begin();
}

void WritingRun::Tick() {
  if (!Running()) return;
  quiet_.Tick();
  if (step_ == 0) {
    IssueNext();
  } else if (step_ <= kLastWaitStep) {
    ++step_;
    CheckWaiting();
  } else if (step_ == kWriteQuietStep) {
    StepQuiet();
  } else {
    Finish(protocol_.DeviceErrorText().empty() ? WriteCode::NoLink : WriteCode::DeviceError);
  }
}

void WritingRun::StepQuiet() {
  if (stopRequest_) {
    Finish(WriteCode::Stopped);
  } else if (quiet_.QuietTicks() >= kQuietGuardTicks) {
    step_ = 0;
    IssueNext();
  } else if (quiet_.TicksWaited() >= kQuietWaitLimitTicks) {
    Finish(WriteCode::NoLink);
  }
}

void WritingRun::Close() {
  if (Running()) Finish(WriteCode::Closed);
}

void WritingRun::IssueNext() {
  gauge_ = std::min(gauge_ + 1, kWriteGaugeMax);
  const auto type = static_cast<CommandType>(nextCommand_);
  ++step_;
  ++nextCommand_;
  if (type == CommandType::SetClock && !parameters_.clockCorrection)
    protocol_.SetReplyComplete();
  else
    protocol_.SendCommand(type);
}

void WritingRun::CheckWaiting() {
  if (protocol_.PortError()) {
    step_ = kWriteFailStep;
    return;
  }
  if (protocol_.ReplyComplete()) {
    lastAcknowledged_ = nextCommand_ - 1;
    if (nextCommand_ >= kAllDone) {
      Finish(WriteCode::Written);
      return;
    }
    step_ = 0;
  }
  if (stopRequest_) {
    Finish(WriteCode::Stopped);
    return;
  }
}

void WritingRun::ReplyCompleted() {
  if (!Running() || step_ < kFirstWaitStep || step_ > kLastWaitStep) return;
  CheckWaiting();
  // The acknowledgement is in: the next command need not wait for a tick.
  if (Running() && step_ == 0) IssueNext();
}

void WritingRun::Finish(WriteCode code) {
  code_ = code;
  End(WriteFinishMessage(code, protocol_.DeviceErrorText()));
}

}  // namespace zt::link
