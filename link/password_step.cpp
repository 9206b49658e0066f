#include "link/password_step.h"

#include "core/cp1251.h"
#include "core/conversions.h"
#include "link/decimal_text.h"

namespace zt::link {
namespace {

constexpr std::uint16_t kLastWaitStep = 50;

}  // namespace

PasswordNumber PasswordNumberOf(std::string_view entry) {
  const auto value = DecimalInt32(WithoutSpaces(entry));
  if (!value) return {};
  return {true, static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value) & 0xFFFF)};
}

std::optional<RunMessage> PasswordFinishMessage(PasswordCode code) {
  switch (code) {
    case PasswordCode::BadEntry:
    case PasswordCode::Rejected:
      return RunMessage{MessageKind::Error, std::string("Ошибка пароля!!!"_cp)};
    case PasswordCode::PortFailed:
      return RunMessage{MessageKind::Error, std::string("Ошибка порта!!!"_cp)};
    case PasswordCode::NoReply:
      return RunMessage{MessageKind::Error, std::string("Ошибка нет связи с прибором!!!"_cp)};
    case PasswordCode::Accepted:
    case PasswordCode::Cancelled:
    case PasswordCode::None:
      break;
  }
  return std::nullopt;
}

PasswordStep::PasswordStep(LinkProtocol& protocol, Messages& messages, std::string& lastPasswordText,
                           OperationMode mode)
    : protocol_(protocol), messages_(messages), lastPasswordText_(lastPasswordText), mode_(mode), quiet_(protocol) {}

bool PasswordStep::Accept(std::string_view entry) {
  if (waiting_) return false;
  code_ = PasswordCode::None;
  if (!PasswordNumberOf(entry).valid || (mode_ == OperationMode::Writing && entry != lastPasswordText_)) {
    Finish(PasswordCode::BadEntry);
    return false;
  }
  if (!protocol_.OpenPort()) {
    Finish(PasswordCode::PortFailed);
    return false;
  }
  entry_ = entry;
  step_ = 0;
  quiet_.Restart();
  waitProgress_ = 0;
  barTicks_ = 0;
  waiting_ = true;
  return true;
}

void PasswordStep::Tick() {
  if (!waiting_) return;
  if (++barTicks_ % kPasswordBarTicks == 0) ++waitProgress_;
  quiet_.Tick();
  if (step_ < kPasswordSendStep) {
    ++step_;
  } else if (step_ == kPasswordSendStep) {
    StepSend();
  } else if (step_ <= kLastWaitStep) {
    ++step_;
    StepWaiting();
  } else {
    Finish(PasswordCode::NoReply);
  }
}

void PasswordStep::StepSend() {
  // Bytes still coming from an earlier exchange would pass for the reply.
  if (quiet_.QuietTicks() < kPasswordQuietTicks) {
    if (quiet_.TicksWaited() >= kLastWaitStep) Finish(PasswordCode::NoReply);
    return;
  }
  lastPasswordText_ = entry_;
  protocol_.Inputs().passwordNumber = PasswordNumberOf(entry_).value;
  protocol_.SendCommand(CommandType::Password);
  step_ = kPasswordSendStep + 1;
}

void PasswordStep::StepWaiting() {
  if (protocol_.PortError()) {
    step_ = kPasswordFailStep;
  } else if (protocol_.ReplyComplete() && quiet_.QuietTicks() >= kPasswordQuietTicks) {
    Finish(protocol_.PasswordRejected() ? PasswordCode::Rejected : PasswordCode::Accepted);
  }
}

void PasswordStep::Cancel() {
  waiting_ = false;
  code_ = PasswordCode::Cancelled;
}

void PasswordStep::Finish(PasswordCode code) {
  waiting_ = false;
  code_ = code;
  // Only a port this exchange opened is closed; a refused entry leaves it as it was.
  if (code == PasswordCode::PortFailed || code == PasswordCode::Rejected || code == PasswordCode::NoReply)
    protocol_.ClosePort();
  if (const auto message = PasswordFinishMessage(code)) messages_.Show(message->kind, message->text);
}

}  // namespace zt::link
