#include "app/windows/tf_rd_zt.h"

#include "app/shell/main_commands.h"
#include "app/windows/tf_zetl.h"

namespace zt::app {

TfRd_ZT::TfRd_ZT(AppContext& context, TfZetl& mainWindow, QWidget* parent)
    : LinkRunWindow({"fRd_ZT", QStringLiteral("Чтение данных - \"Регистратор магнитного поля\" "), "gStepRd_ZT",
                     link::kReadGaugeMax, "tInitRd", "stepRdEEx", link::kReadingTickMs, false},
                    context.messages, parent),
      ctx_(context),
      main_(mainWindow),
      run_(context.protocol, RunMessages(), context.state.files) {}

void TfRd_ZT::StartRun() {
  shell::ReadingStarted(ctx_.state);
  run_.Start();
}

void TfRd_ZT::CloseRun() {
  if (run_.Running()) {
    run_.Close();
    return;
  }
  // Closed before the first tick: the port the password step left open is not kept.
  ctx_.protocol.ClosePort();
}

void TfRd_ZT::RunEnded() {
  if (!run_.DeviceRead()) return;
  ctx_.state.deviceRead = true;
  // An empty name: the image file the run has just written.
  main_.LoadIntoMainWindow({});
}

}  // namespace zt::app
