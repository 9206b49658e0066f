// The writing window: the recorder's clock (when the editor asked for it) and
// the three texts of the header, one command at a time, with the gauge,
// "Стоп", Esc and the run's message. The port stays open afterwards.
#pragma once

#include "app/windows/app_context.h"
#include "app/windows/link_run_window.h"
#include "link/writing_run.h"

namespace zt::app {

class TfZetl;

class TfWrProgPar final : public LinkRunWindow {
  Q_OBJECT

 public:
  TfWrProgPar(AppContext& context, TfZetl& mainWindow, QWidget* parent = nullptr);

 protected:
  link::LinkRun& Run() override { return run_; }
  void StartRun() override { run_.Start(); }
  void TickRun() override { run_.Tick(); }
  int Gauge() const override { return run_.Gauge(); }
  // The close box: the run ends at once, without a message.
  void CloseRun() override { run_.Close(); }
  // The header keeps only the texts the recorder took.
  void RunEnded() override;

 private:
  AppContext& ctx_;
  TfZetl& main_;
  link::WritingRun run_;
};

}  // namespace zt::app
