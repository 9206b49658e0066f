#include "tools/zt/parameter_block_reading.h"

namespace zt::cli {
namespace {

constexpr int kWaitTicks = link::kReadTimeoutStep - 1;
constexpr auto kFirstPage = static_cast<std::uint16_t>(kParameterBlock.start / kPageSize);

}  // namespace

void ParameterBlockReading::Start() {
  block_.clear();
  stopRequest_ = false;
  reopen_ = false;
  Begin();
  SendPage();
}

void ParameterBlockReading::SendPage() {
  waitedTicks_ = 0;
  protocol_.Inputs().page = static_cast<std::uint16_t>(kFirstPage + PagesRead());
  protocol_.SendCommand(link::CommandType::ReadPage);
}

void ParameterBlockReading::Tick() {
  if (!Running()) return;
  if (reopen_) {
    reopen_ = false;
    if (!protocol_.OpenPort()) return Finish(link::ReadCode::PortFailed);
    waitedTicks_ = 0;
    protocol_.Resend();
    return;
  }
  if (stopRequest_) return Finish(link::ReadCode::Stopped);
  if (protocol_.PortError()) return Finish(link::ReadCode::PortFailed);
  if (++waitedTicks_ <= kWaitTicks) return;
  // No reply in time: the port is closed, and opened again on the next tick
  // for the same frame, so that a late reply cannot pass for the next page's.
  protocol_.ClosePort();
  protocol_.ClearReplyBuffer();
  if (protocol_.ConsumeRetry() == 0) return Finish(link::ReadCode::NoReply);
  reopen_ = true;
}

bool ParameterBlockReading::StorePage(std::string_view page) {
  if (!Running() || block_.size() >= kParameterBlock.size) return false;
  block_.append(page);
  return true;
}

void ParameterBlockReading::ReplyCompleted() {
  if (!Running() || !protocol_.ReplyComplete()) return;
  if (block_.size() >= kParameterBlock.size)
    Finish(link::ReadCode::Done);
  else
    SendPage();
}

void ParameterBlockReading::Finish(link::ReadCode code) {
  code_ = code;
  End(link::ReadFinishMessage(code));
  protocol_.ClosePort();
}

}  // namespace zt::cli
