// The reading window: the recorder's 512 pages into the image file, the gauge
// counting the pages requested, "Стоп" and Esc. After a complete reading the
// device-read flag is set and the main window loads the image file; any other
// ending leaves the image file and the data shown as they were.
#pragma once

#include "app/windows/app_context.h"
#include "app/windows/link_run_window.h"
#include "link/reading_run.h"

namespace zt::app {

class TfZetl;

class TfRd_ZT final : public LinkRunWindow {
  Q_OBJECT

 public:
  TfRd_ZT(AppContext& context, TfZetl& mainWindow, QWidget* parent = nullptr);

  const link::ReadingRun& Reading() const { return run_; }

 protected:
  link::LinkRun& Run() override { return run_; }
  void StartRun() override;
  void TickRun() override { run_.Tick(); }
  int Gauge() const override { return run_.Gauge(); }
  void CloseRun() override;
  void RunEnded() override;

 private:
  AppContext& ctx_;
  TfZetl& main_;
  link::ReadingRun run_;
};

}  // namespace zt::app
