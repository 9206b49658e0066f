#include "app/windows/tf_wr_prog_par.h"

#include "app/shell/parameter_editor.h"
#include "app/windows/tf_zetl.h"

namespace zt::app {

TfWrProgPar::TfWrProgPar(AppContext& context, TfZetl& mainWindow, QWidget* parent)
    : LinkRunWindow({"fWrProgPar", QStringLiteral("Запись данных - \"Регистратор магнитного поля\""), "gStepWr_ZT",
                     link::kWriteGaugeMax, "tWrInit", "tStepWrPar", link::kWritingTickMs, true},
                    context.messages, parent),
      ctx_(context),
      main_(mainWindow),
      run_(context.protocol, RunMessages(), shell::WriteParametersOf(context.image, context.clockCorrection)) {}

void TfWrProgPar::RunEnded() {
  shell::KeepAcknowledgedTexts(ctx_.image, ctx_.textsBeforeWriting,
                             [this](link::CommandType type) { return run_.Acknowledged(type); });
  main_.ShowHeader();
}

}  // namespace zt::app
