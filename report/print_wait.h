// The print wait window's work: one report build and the step of its mode,
// the F10 stop request and the window's three timers, as switches the window
// turns into real timers.
#pragma once

#include <cstdint>
#include <optional>

#include "core/archive_table.h"
#include "core/clock.h"
#include "core/device_image.h"
#include "core/messages.h"
#include "core/working_files.h"
#include "report/build_control.h"
#include "report/pagination.h"
#include "report/print_settings.h"
#include "report/report_builder.h"
#include "report/report_preview.h"
#include "report/report_request.h"

namespace zt::report {

enum class ReportMode : std::uint8_t { View = 1, ViewWithSettings = 2, Print = 3 };

inline constexpr int kStopKeyCode = 121;  // F10

struct PrintWaitParts {
  const ArchiveTables& tables;
  const DecodedImage& image;
  const Clock& clock;
  Messages& messages;
  EventPump& pump;            // the window's events, F10 among them
  const WorkingFiles& files;  // RepDay and the sheet files
  const PrintSetup& setup;    // language, indent, margins, working metrics
  ReportPreview& preview;
};

class PrintWait {
 public:
  PrintWait(const PrintWaitParts& parts, ReportMode mode, ReportRequest request);
  PrintWait(const PrintWait&) = delete;
  PrintWait& operator=(const PrintWait&) = delete;

  // tInit: the build and the mode's step, once; then the close timer.
  void InitTick();
  // Key-down and key-up of the stop box.
  void Key(int keyCode);
  // tmStopPrintError.
  void StopMessageTick();
  // tClose: true when the window closes now.
  bool CloseTick();
  // A stop leaves an empty preview and nothing to print, and is told even
  // when it came after its timer's last chance to fire.
  void Closing();

  bool CloseTimerEnabled() const { return closeTimer_; }
  bool StopMessageTimerEnabled() const { return stopMessageTimer_; }
  // The report window's print timer, which opens the print dialog.
  bool PrintTimerEnabled() const { return printTimer_; }

  const StopRequest& Stop() const { return stop_; }
  std::optional<BuildResult> Build() const { return build_; }
  std::optional<Pagination> Paginated() const { return pagination_; }

 private:
  void ModeStep();

  PrintWaitParts parts_;
  ReportMode mode_;
  ReportRequest request_;
  StopRequest stop_;
  YieldPoint yield_;
  bool initTimer_ = true;
  bool closeTimer_ = false;
  bool stopMessageTimer_ = false;
  bool printTimer_ = false;
  std::optional<BuildResult> build_;
  std::optional<Pagination> pagination_;
};

}  // namespace zt::report
