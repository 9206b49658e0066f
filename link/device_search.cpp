#include "link/device_search.h"

#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt::link {
namespace {

constexpr std::uint8_t kWaitFirstStep = 3;
constexpr std::uint8_t kWaitLastStep = 15;
constexpr std::uint8_t kGiveUpStep = 16;

std::string PortName(std::uint8_t port) { return "COM" + std::to_string(port); }

}  // namespace

DeviceSearch::DeviceSearch(LinkProtocol& protocol, PortProbe& probe, SearchSettings& settings, WorkingFiles files)
    : protocol_(protocol), probe_(probe), settings_(settings), files_(std::move(files)) {}

DeviceSearch::~DeviceSearch() = default;

void DeviceSearch::Start() {
  code_ = SearchCode::None;
  errorVisible_ = false;
  phase_ = SearchPhase::Start;
}

void DeviceSearch::Tick() {
  if (progressVisible_ && ++barTicks_ % kSearchBarTicks == 0) progress_ = (progress_ + 1) % (kSearchBarMax + 1);
  switch (phase_) {
    case SearchPhase::Start:
      StepStart();
      break;
    case SearchPhase::Probe:
      StepProbe();
      break;
    case SearchPhase::NextPort:
      StepNextPort();
      break;
    case SearchPhase::PauseToOpen:
      if (--pauseTicks_ <= 0) StepOpen();
      break;
    case SearchPhase::Identify:
      StepIdentify();
      break;
    case SearchPhase::Idle:
    case SearchPhase::Done:
      break;
  }
}

void DeviceSearch::Repeat() {
  if (phase_ != SearchPhase::Done || code_ != SearchCode::NotFound) return;
  errorVisible_ = false;
  settings_.tryRemembered = false;
  code_ = SearchCode::None;
  phase_ = SearchPhase::Start;
}

void DeviceSearch::Cancel() {
  if (phase_ == SearchPhase::Done && code_ != SearchCode::NotFound) return;
  // Do not leave a port held when the window goes away mid-exchange.
  protocol_.ClosePort();
  Finish(SearchCode::Cancelled);
}

bool DeviceSearch::PortPresentFlag(std::uint8_t port) const {
  return port >= 1 && port <= kPortFlagCount && present_[port - 1];
}

std::string_view DeviceSearch::ErrorText() const { return errorVisible_ ? "РЕГИСТРАТОР НЕ НАЙДЕН!!!"_cp : ""; }

void DeviceSearch::StepStart() {
  ShowProgress(true);
  if (settings_.tryRemembered) {
    protocol_.Channel().SetBaudRate(kLinkBaudRate);
    openingRemembered_ = true;
    PrepareOpen(settings_.rememberedPort);
    return;
  }
  present_.fill(false);
  currentPort_ = 1;
  phase_ = SearchPhase::Probe;
}

void DeviceSearch::StepProbe() {
  if (currentPort_ < settings_.scanLimit) {
    if (probe_.PortPresent(PortName(currentPort_))) {
      present_[currentPort_ - 1] = true;
      Trace(PortName(currentPort_));
    }
    ++currentPort_;
    return;
  }
  protocol_.Channel().SetBaudRate(kLinkBaudRate);
  currentPort_ = 0;
  phase_ = SearchPhase::NextPort;
}

void DeviceSearch::StepNextPort() {
  for (unsigned port = currentPort_ + 1u; port <= settings_.scanLimit && port <= kPortFlagCount; ++port) {
    if (!present_[port - 1]) continue;
    openingRemembered_ = false;
    PrepareOpen(static_cast<std::uint8_t>(port));
    return;
  }
  ShowProgress(false);
  Trace(std::string("стоп \"ZT\" не найден"_cp));
  Finish(SearchCode::NotFound);
}

void DeviceSearch::PrepareOpen(std::uint8_t port) {
  SelectPort(port);
  identifyStep_ = 0;
  pauseTicks_ = kPauseBeforeOpenTicks;
  phase_ = SearchPhase::PauseToOpen;
}

void DeviceSearch::StepOpen() {
  if (protocol_.OpenPort()) {
    identifyStep_ = 1;
    phase_ = SearchPhase::Identify;
    return;
  }
  if (openingRemembered_) {
    settings_.tryRemembered = false;
    protocol_.ClosePort();
    phase_ = SearchPhase::Start;
  } else {
    phase_ = SearchPhase::NextPort;
  }
}

void DeviceSearch::StepIdentify() {
  if (identifyStep_ == 1) {
    identifyStep_ = 2;
    attempts_ = 0;
    attemptsText_ = "0";
    protocol_.ClearReplySeen();
  } else if (identifyStep_ == 2 && attempts_ > 0 && protocol_.ReplyComplete()) {
    // The reply that was still coming when the tick before saw its first bytes.
    FoundOnCurrentPort();
  } else if (identifyStep_ == 2) {
    ++attempts_;
    protocol_.ClearReplyBuffer();
    protocol_.SendCommand(CommandType::Identify);
    identifyStep_ = kWaitFirstStep;
  } else if (identifyStep_ <= kWaitLastStep) {
    if (protocol_.PortError()) {
      identifyStep_ = kGiveUpStep;
      if (currentPort_ >= 1 && currentPort_ <= kPortFlagCount) present_[currentPort_ - 1] = false;
    } else if (protocol_.ReplyComplete()) {
      FoundOnCurrentPort();
    } else {
      attemptsText_ = std::to_string(attempts_);
      if (attempts_ < kIdentifyAttempts && protocol_.ReplySeen())
        identifyStep_ = 2;
      else
        ++identifyStep_;
    }
  } else {
    GiveUpPort();
  }
}

void DeviceSearch::FoundOnCurrentPort() {
  ShowProgress(false);
  protocol_.ClosePort();
  settings_.rememberedPort = currentPort_;
  WriteRememberedPort(files_, currentPort_);
  SelectPort(currentPort_);
  Trace(std::string("стоп \"ZT\" найден"_cp));
  Finish(SearchCode::Found);
}

void DeviceSearch::GiveUpPort() {
  protocol_.ClosePort();
  if (settings_.tryRemembered) {
    settings_.tryRemembered = false;
    phase_ = SearchPhase::Start;
    return;
  }
  Trace(std::string("следующ-COM"_cp) + std::to_string(currentPort_));
  phase_ = SearchPhase::NextPort;
}

void DeviceSearch::SelectPort(std::uint8_t port) {
  currentPort_ = port;
  protocol_.Channel().SetDeviceName(PortName(port));
}

void DeviceSearch::ShowProgress(bool on) {
  progressVisible_ = on;
  barTicks_ = 0;
}

void DeviceSearch::Trace(std::string line) { trace_.push_back(StripControlChars(line)); }

void DeviceSearch::Finish(SearchCode code) {
  code_ = code;
  phase_ = SearchPhase::Done;
  errorVisible_ = code == SearchCode::NotFound;
  if (code != SearchCode::Found) ShowProgress(false);
}

}  // namespace zt::link
