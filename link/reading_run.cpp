#include "link/reading_run.h"

#include <algorithm>

#include "core/cp1251.h"

namespace zt::link {
namespace {

constexpr std::uint16_t kFirstWaitStep = 1;
constexpr std::uint16_t kLastWaitStep = 45;
static_assert(kReadingTickMs == kQuietTickMs);

}  // namespace

std::optional<RunMessage> ReadFinishMessage(ReadCode code) {
  switch (code) {
    case ReadCode::Done:
      break;
    case ReadCode::Stopped:
      return RunMessage{MessageKind::Information, std::string("Чтение прервано"_cp)};
    case ReadCode::FileFailed:
      return RunMessage{MessageKind::Error, std::string("Ошибка открытия файла!!!"_cp)};
    case ReadCode::NoReply:
      return RunMessage{MessageKind::Error, std::string("Ошибка чтения!!!"_cp)};
    case ReadCode::PortFailed:
      return RunMessage{MessageKind::Error, std::string("Ошибка открытия порта RS!!!"_cp)};
  }
  return std::nullopt;
}

ReadingRun::ReadingRun(LinkProtocol& protocol, Messages& messages, const WorkingFiles& files)
    : LinkRun(protocol, messages), imageFile_(files.ImageFile()), quiet_(protocol) {}

void ReadingRun::Start() {
  page_ = 0;
  step_ = 0;
  timedOut_ = false;
  stopRequest_ = false;
  storeFailed_ = false;
  gauge_ = 0;
  // Pages go to a file beside the image; the image is replaced only when all are in.
  if (!image_.Open(imageFile_)) {
    Finish(ReadCode::FileFailed);
    return;
  }
  Begin();
}

void ReadingRun::Tick() {
  if (!Running()) return;
  quiet_.Tick();
  if (step_ == 0) {
    SendPage();
    step_ = kFirstWaitStep;
  } else if (step_ <= kLastWaitStep) {
    ++step_;
    CheckWaiting();
  } else if (step_ == kReadTimeoutStep) {
    protocol_.ClosePort();
    protocol_.AbandonReply();
    timedOut_ = true;
    if (protocol_.ConsumeRetry() == 0) {
      Finish(ReadCode::NoReply);
      return;
    }
    step_ = kReadReopenStep;
  } else if (step_ == kReadReopenStep) {
    if (!protocol_.OpenPort()) {
      Finish(ReadCode::PortFailed);
      return;
    }
    // The reply that timed out may be on its way: its tail must not run into
    // the reply to the re-send.
    WaitForQuiet(kReadQuietBeforeResendStep);
  } else {
    StepQuiet();
  }
}

void ReadingRun::Close() {
  if (!Running()) return;
  stopRequest_ = true;
  Finish(ReadCode::Stopped);
}

void ReadingRun::SendPage() {
  timedOut_ = false;
  protocol_.Inputs().page = page_;
  protocol_.SendCommand(CommandType::ReadPage);
}

void ReadingRun::WaitForQuiet(std::uint16_t step) {
  quiet_.Restart();
  step_ = step;
}

void ReadingRun::StepQuiet() {
  if (stopRequest_) {
    Finish(ReadCode::Stopped);
    return;
  }
  if (quiet_.QuietTicks() < kQuietGuardTicks) {
    if (quiet_.TicksWaited() >= kQuietWaitLimitTicks) Finish(ReadCode::NoReply);
    return;
  }
  if (step_ == kReadQuietBeforeResendStep)
    protocol_.Resend();
  else
    SendPage();
  step_ = kFirstWaitStep;
}

void ReadingRun::CheckWaiting() {
  if (stopRequest_) {
    Finish(ReadCode::Stopped);
    return;
  }
  if (protocol_.PortError()) {
    Finish(ReadCode::PortFailed);
    return;
  }
  if (!protocol_.ReplyComplete()) return;
  if (storeFailed_) {
    Finish(ReadCode::FileFailed);
    return;
  }
  ++page_;
  if (page_ == kPagesToRead) {
    Finish(image_.Commit() ? ReadCode::Done : ReadCode::FileFailed);
    return;
  }
  if (timedOut_) {
    WaitForQuiet(kReadQuietBeforeNextPageStep);
    return;
  }
  SendPage();
  step_ = kFirstWaitStep;
}

void ReadingRun::PageRequested() { gauge_ = std::min(gauge_ + 1, kReadGaugeMax); }

bool ReadingRun::StorePage(std::string_view page) {
  if (!Running() || storeFailed_) return false;
  if (!image_.Write(page)) storeFailed_ = true;
  return !storeFailed_;
}

void ReadingRun::ReplyCompleted() {
  // A reply that comes in after the wait ran out but before the port was closed still counts.
  if (Running() && step_ >= kFirstWaitStep && step_ <= kReadTimeoutStep) CheckWaiting();
}

void ReadingRun::Finish(ReadCode code) {
  code_ = code;
  if (code != ReadCode::Done) image_.Discard();
  End(ReadFinishMessage(code));
  protocol_.ClosePort();
}

}  // namespace zt::link
