// The search for the recorder over the COM ports: the remembered port first,
// then probing COM1 .. COM(limit - 1) and identifying each present port.
//
// Host: create it over the protocol, the port probe, the settings read at
// start-up (ReadSearchSettings) and the working files, call Start() when the
// search window opens and Tick() every 50 ms. Data events reach the protocol
// through the channel; the search reads the link flags on its ticks. Cancel()
// is "Отмена"/Esc, Repeat() is "Повторить" after a failure. When Finished(),
// Code() says Found (the channel's device name is the port found, the port is
// closed, Work/ZT_RS.000 rewritten: show the read and write menus) or
// NotFound (hide them; the window stays, ErrorText() is its red line) or
// Cancelled. TraceLines() are the window's hidden debug list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/working_files.h"
#include "link/link_protocol.h"
#include "link/search_settings.h"

namespace zt::link {

inline constexpr int kSearchTickMs = 50;
inline constexpr std::size_t kPortFlagCount = 100;
inline constexpr std::uint8_t kIdentifyAttempts = 5;
// Ticks of the 300 ms progress timer, counted in search ticks.
inline constexpr int kSearchBarTicks = 6;
inline constexpr int kSearchBarMax = 100;
// The pause before each open, in search ticks.
inline constexpr int kPauseBeforeOpenTicks = 1;

enum class SearchPhase : std::uint8_t {
  Idle,         // not started
  Start,        // tStart pending
  Probe,        // tStep_kRS: one port probed per tick
  NextPort,     // tK_ZT: pick the next present port
  PauseToOpen,  // the pause before opening the current port
  Identify,     // TkWrRd_rsZT: the Identify exchange, by identify step
  Done,         // finished, see Code()
};

enum class SearchCode : std::uint8_t { None, Found, NotFound, Cancelled };

class DeviceSearch {
 public:
  DeviceSearch(LinkProtocol& protocol, PortProbe& probe, SearchSettings& settings, WorkingFiles files);
  ~DeviceSearch();

  void Start();
  void Tick();
  void Repeat();
  void Cancel();

  SearchPhase Phase() const { return phase_; }
  bool Finished() const { return phase_ == SearchPhase::Done; }
  SearchCode Code() const { return code_; }
  std::uint8_t CurrentPort() const { return currentPort_; }
  std::uint8_t IdentifyStep() const { return identifyStep_; }
  std::uint8_t Attempts() const { return attempts_; }
  // The "Error" label: attempts on the current port.
  const std::string& AttemptsText() const { return attemptsText_; }
  bool PortPresentFlag(std::uint8_t port) const;
  bool ProgressVisible() const { return progressVisible_; }
  int Progress() const { return progress_; }
  bool ErrorVisible() const { return errorVisible_; }
  std::string_view ErrorText() const;
  bool RepeatVisible() const { return errorVisible_; }
  const std::vector<std::string>& TraceLines() const { return trace_; }

 private:
  void StepStart();
  void StepProbe();
  void StepNextPort();
  void StepOpen();
  void StepIdentify();
  void FoundOnCurrentPort();
  void GiveUpPort();
  void PrepareOpen(std::uint8_t port);
  void SelectPort(std::uint8_t port);
  void ShowProgress(bool on);
  void Trace(std::string line);
  void Finish(SearchCode code);

  LinkProtocol& protocol_;
  PortProbe& probe_;
  SearchSettings& settings_;
  WorkingFiles files_;
  SearchPhase phase_ = SearchPhase::Idle;
  SearchCode code_ = SearchCode::None;
  std::array<bool, kPortFlagCount> present_{};
  std::uint8_t currentPort_ = 0;
  std::uint8_t identifyStep_ = 0;
  std::uint8_t attempts_ = 0;
  std::string attemptsText_ = "0";
  int pauseTicks_ = 0;
  bool openingRemembered_ = false;
  bool progressVisible_ = false;
  int progress_ = 0;
  int barTicks_ = 0;
  bool errorVisible_ = false;
  std::vector<std::string> trace_;
};

}  // namespace zt::link
