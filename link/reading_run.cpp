#include "link/reading_run.h"

#include <algorithm>

#include "core/cp1251.h"

namespace zt::link {
namespace {

constexpr std::uint16_t kFirstWaitStep = 1;
constexpr std::uint16_t kLastWaitStep = 45;

}  // namespace

ReadingRun::ReadingRun(LinkProtocol& protocol, Messages& messages, const WorkingFiles& files)
    : protocol_(protocol), messages_(messages), imageFile_(files.ImageFile()) {}

ReadingRun::~ReadingRun() {
  if (running_) protocol_.SetObserver(nullptr);
}

void ReadingRun::Start() {
  page_ = 0;
  step_ = 0;
  stopRequest_ = false;
  storeFailed_ = false;
  finished_ = false;
  gauge_ = 0;
  // Pages go to a file beside the image; the image is replaced only when all are in.
  if (!staged_.Create(imageFile_)) {
    Finish(ReadCode::FileFailed);
    return;
  }
  running_ = true;
  protocol_.SetObserver(this);
}

void ReadingRun::Tick() {
  if (!running_) return;
  if (step_ == 0) {
    SendPage();
    step_ = kFirstWaitStep;
  } else if (step_ <= kLastWaitStep) {
    ++step_;
    CheckWaiting();
  } else if (step_ == kReadTimeoutStep) {
    protocol_.ClosePort();
    protocol_.ClearReplyBuffer();
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
    protocol_.Resend();
    step_ = kFirstWaitStep;
  }
}

void ReadingRun::Close() {
  if (!running_) return;
  stopRequest_ = true;
  Finish(ReadCode::Stopped);
}

void ReadingRun::SendPage() {
  protocol_.Inputs().page = page_;
  protocol_.SendCommand(CommandType::ReadPage);
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
    Finish(staged_.Commit() ? ReadCode::Done : ReadCode::FileFailed);
    return;
  }
  SendPage();
  step_ = kFirstWaitStep;
}

void ReadingRun::PageRequested() { gauge_ = std::min(gauge_ + 1, kReadGaugeMax); }

bool ReadingRun::StorePage(std::string_view page) {
  if (!running_ || storeFailed_) return false;
  if (!staged_.Append(page)) storeFailed_ = true;
  return !storeFailed_;
}

void ReadingRun::ReplyCompleted() {
  // A reply that comes in after the wait ran out but before the port was closed still counts.
  if (running_ && step_ >= kFirstWaitStep && step_ <= kReadTimeoutStep) CheckWaiting();
}

void ReadingRun::Finish(ReadCode code) {
  running_ = false;
  finished_ = true;
  code_ = code;
  protocol_.SetObserver(nullptr);
  if (code != ReadCode::Done) staged_.Discard();
  switch (code) {
    case ReadCode::Done:
      break;
    case ReadCode::Stopped:
      messages_.Show(MessageKind::Information, "Чтение прервано"_cp);
      break;
    case ReadCode::FileFailed:
      messages_.Show(MessageKind::Error, "Ошибка открытия файла!!!"_cp);
      break;
    case ReadCode::NoReply:
      messages_.Show(MessageKind::Error, "Ошибка чтения!!!"_cp);
      break;
    case ReadCode::PortFailed:
      messages_.Show(MessageKind::Error, "Ошибка открытия порта RS!!!"_cp);
      break;
  }
  protocol_.ClosePort();
}

}  // namespace zt::link
