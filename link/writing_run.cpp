#include "link/writing_run.h"

#include <algorithm>

#include "core/cp1251.h"

namespace zt::link {
namespace {

constexpr std::uint16_t kFirstCommand = 4;
constexpr std::uint16_t kAllDone = 8;
constexpr std::uint16_t kFirstWaitStep = 1;
constexpr std::uint16_t kLastWaitStep = 30;

}  // namespace

WritingRun::WritingRun(LinkProtocol& protocol, Messages& messages, WriteParameters parameters)
    : protocol_(protocol), messages_(messages), parameters_(std::move(parameters)) {}

WritingRun::~WritingRun() {
  if (running_) protocol_.SetObserver(nullptr);
}

void WritingRun::Start() {
  step_ = 0;
  nextCommand_ = kFirstCommand;
  stopRequest_ = false;
  finished_ = false;
  gauge_ = 0;
  running_ = true;
  CommandInputs& inputs = protocol_.Inputs();
  inputs.enterprise = parameters_.enterprise;
  inputs.branch = parameters_.branch;
  inputs.meter = parameters_.meter;
  protocol_.SetObserver(this);
}

void WritingRun::Tick() {
  if (!running_) return;
  if (step_ == 0) {
    IssueNext();
  } else if (step_ <= kLastWaitStep) {
    ++step_;
    CheckWaiting();
  } else {
    Finish(protocol_.DeviceErrorText().empty() ? WriteCode::NoLink : WriteCode::DeviceError);
  }
}

void WritingRun::Close() {
  if (running_) Finish(WriteCode::Closed);
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
  if (!running_ || step_ < kFirstWaitStep || step_ > kLastWaitStep) return;
  CheckWaiting();
  // The acknowledgement is in: the next command need not wait for a tick.
  if (running_ && step_ == 0) IssueNext();
}

void WritingRun::Finish(WriteCode code) {
  running_ = false;
  finished_ = true;
  code_ = code;
  protocol_.SetObserver(nullptr);
  switch (code) {
    case WriteCode::Written:
      messages_.Show(MessageKind::Information, "Запись норма"_cp);
      break;
    case WriteCode::Stopped:
      messages_.Show(MessageKind::Information, "Запись прервана"_cp);
      break;
    case WriteCode::DeviceError:
      messages_.Show(MessageKind::Error, std::string("Ошибка RS - "_cp) + protocol_.DeviceErrorText());
      break;
    case WriteCode::NoLink:
      messages_.Show(MessageKind::Error, "Ошибка - связи с прибором!!!"_cp);
      break;
    case WriteCode::Closed:
      break;
  }
}

}  // namespace zt::link
