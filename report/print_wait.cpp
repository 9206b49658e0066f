#include "report/print_wait.h"

#include <utility>

#include "core/cp1251.h"
#include "report/report_view.h"

namespace zt::report {

PrintWait::PrintWait(const PrintWaitParts& parts, ReportMode mode, ReportRequest request)
    : parts_(parts), mode_(mode), request_(std::move(request)), yield_(parts.pump) {}

void PrintWait::InitTick() {
  if (!initTimer_) return;
  initTimer_ = false;
  // The build clears the stop request; one made in this window before it stands.
  if (stop_.IsSet()) {
    build_ = BuildResult::Stopped;
  } else {
    request_.language = LanguageFromByte(parts_.setup.settings.reportLanguage);
    const ReportSources sources{parts_.tables, parts_.image, parts_.clock, parts_.messages, yield_, stop_};
    build_ = BuildReport(sources, stop_, request_, parts_.files);
    // A report cut short by a full disk is not shown or printed either.
    if (*build_ == BuildResult::Built && !stop_.IsSet()) ModeStep();
  }
  closeTimer_ = true;
}

void PrintWait::ModeStep() {
  const auto reportText = parts_.files.ReportTextFile();
  if (mode_ == ReportMode::View) {
    ShowReport(reportText, parts_.preview, yield_, stop_);
    return;
  }
  pagination_ = PaginateReport(reportText, LayoutOf(parts_.setup),
                               {parts_.files, parts_.preview, parts_.messages, yield_, stop_});
  if (mode_ == ReportMode::Print && pagination_->result == PaginationResult::Paginated) printTimer_ = true;
}

void PrintWait::Key(int keyCode) {
  if (keyCode != kStopKeyCode) return;
  stop_.Set();
  stopMessageTimer_ = true;
}

void PrintWait::StopMessageTick() {
  if (!stopMessageTimer_) return;
  stopMessageTimer_ = false;
  parts_.messages.Show(MessageKind::Warning, "ОСТАНОВ ПРОСМОТРА!!!"_cp);
}

bool PrintWait::CloseTick() {
  if (!closeTimer_) return false;
  closeTimer_ = false;
  return true;
}

void PrintWait::Closing() {
  if (!stop_.IsSet()) return;
  parts_.preview.Clear();
  printTimer_ = false;
  // F10 too late for tmStopPrintError to fire before tClose: the window and its timers go now.
  StopMessageTick();
}

}  // namespace zt::report
