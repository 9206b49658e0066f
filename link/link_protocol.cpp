#include "link/link_protocol.h"

#include "core/conversions.h"
#include "core/device_image.h"

namespace zt::link {
namespace {

constexpr char kDropAtReplyStart = static_cast<char>(0xFF);
constexpr std::string_view kIdentifyMark = " Vorqel";
constexpr std::size_t kSerialOffset = 36;
constexpr int kSerialDigits = 5;

bool ErrorFlagSet(char firstByte) { return (static_cast<unsigned char>(firstByte) & 0x80) != 0; }

}  // namespace

LinkState::LinkState() : identificationText(kDitto), serialNumberText(kDitto) {}

LinkProtocol::LinkProtocol(SerialChannel& channel, PortProbe& probe, ProtocolLog& log, const Clock& clock)
    : channel_(channel), probe_(probe), log_(log), clock_(clock) {
  channel_.SetOnData([this](std::size_t) { XComm_ZTData(); });
}

LinkProtocol::~LinkProtocol() { channel_.SetOnData({}); }

void LinkProtocol::SendCommand(CommandType type) {
  state_.lastFrame.clear();
  state_.replyBuffer.clear();
  state_.retriesLeft = kRetriesPerFrame;
  state_.replyComplete = false;
  state_.commandType = type;
  if (type == CommandType::ReadPage && observer_) observer_->PageRequested();
  if (type == CommandType::Password) state_.passwordRejected = false;
  const std::string payload = CommandPayload(type, inputs_, clock_.Now());
  if (!payload.empty()) state_.lastFrame = FrameChecksum(payload);
  SendLastFrame();
}

void LinkProtocol::Resend() { SendLastFrame(); }

void LinkProtocol::SendLastFrame() {
  if (state_.lastFrame.empty()) return;
  state_.replyBuffer.clear();
  state_.deviceErrorText.clear();
  state_.replyOutstanding = true;
  if (state_.portError) return;
  if (!probe_.PortPresent(channel_.DeviceName())) {
    if (channel_.IsOpen()) channel_.Close();
    state_.portError = true;
    return;
  }
  if (activity_) activity_->SendStep();
  ++busy_;
  const bool written = channel_.SendString(state_.lastFrame);
  --busy_;
  if (written) log_.LogTraffic(Direction::Sent, state_.lastFrame);
  NotifyCompleted();
}

bool LinkProtocol::OpenPort() {
  state_.portError = false;
  if (channel_.IsOpen()) return true;
  if (channel_.Open()) {
    channel_.SetDtr(false);
    channel_.SetRts(true);
    return true;
  }
  state_.portError = true;
  return false;
}

void LinkProtocol::ClosePort() {
  if (state_.portError) return;
  if (channel_.IsOpen()) channel_.Close();
}

void LinkProtocol::AbandonReply() {
  state_.replyBuffer.clear();
  state_.replyOutstanding = false;
}

std::uint8_t LinkProtocol::ConsumeRetry() {
  if (state_.retriesLeft > 0) --state_.retriesLeft;
  return state_.retriesLeft;
}

void LinkProtocol::XComm_ZTData() {
  const std::string delivery = channel_.ReadString();
  bytesReceived_ += delivery.size();
  if (!delivery.empty() && state_.replyOutstanding) {
    const bool dropFirst = state_.replyBuffer.empty() && delivery.front() == kDropAtReplyStart;
    state_.replyBuffer.append(delivery, dropFirst ? 1 : 0);
  }
  if (activity_) activity_->ReceiveStep();
  if (state_.replyOutstanding && ReplyAccepted()) {
    DecodeReply();
    if (state_.commandType != CommandType::Password) {
      state_.replyBuffer.clear();
      state_.replyOutstanding = false;
    }
  }
  log_.LogTraffic(Direction::Received, delivery);
  NotifyCompleted();
}

bool LinkProtocol::ReplyAccepted() {
  const std::string& buffer = state_.replyBuffer;
  if (buffer.empty()) return false;
  state_.replySeen = true;
  if (state_.commandType == CommandType::Password) {
    // Judged on all of the reply so far: a refusal that comes in pieces is still one.
    state_.passwordRejected = ErrorFlagSet(buffer[0]) && buffer.size() == 4;
    return true;
  }
  if (ErrorFlagSet(buffer[0])) {
    const auto errorByte = static_cast<std::uint8_t>(buffer.size() > 1 ? buffer[1] : 0);
    const std::string_view text = link::DeviceErrorText(errorByte);
    if (!text.empty()) {
      state_.deviceErrorText = text;
      state_.replyBuffer.clear();
      return false;
    }
  }
  const std::size_t length = ReplyLength(state_.commandType);
  if (length == 0 || buffer.size() != length || !ChecksumMatches(buffer)) return false;
  state_.replyPayload = buffer.substr(1, buffer.size() - kReplyOverhead);
  log_.LogTraffic(Direction::Received, state_.replyPayload);
  return true;
}

void LinkProtocol::DecodeReply() {
  switch (state_.commandType) {
    case CommandType::Identify:
      DecodeIdentify();
      return;
    case CommandType::ReadPage:
      if (observer_) observer_->StorePage(state_.replyPayload);
      break;
    default:
      break;
  }
  // A Password reply growing after it was taken is no new completion.
  if (state_.commandType != CommandType::Password || !state_.replyComplete) completionPending_ = true;
  state_.replyComplete = true;
}

void LinkProtocol::DecodeIdentify() {
  const std::string& payload = state_.replyPayload;
  if (payload.compare(0, kIdentifyMark.size(), kIdentifyMark) != 0) return;
  state_.identificationText = payload.substr(param::kVersion, param::kVersionLength);
  state_.serialNumberText = PadNumber(BytesToWordLE(std::string_view(payload).substr(kSerialOffset, 2)), kSerialDigits);
  state_.replyComplete = true;
  completionPending_ = true;
}

void LinkProtocol::NotifyCompleted() {
  if (busy_ > 0) return;
  while (completionPending_) {
    completionPending_ = false;
    if (!observer_) continue;
    ++busy_;
    observer_->ReplyCompleted();
    --busy_;
  }
}

}  // namespace zt::link
