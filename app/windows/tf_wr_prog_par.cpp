#include "app/windows/tf_wr_prog_par.h"

#include "app/shell/parameter_editor.h"

namespace zt::app {

TfWrProgPar::TfWrProgPar(AppContext& context, QWidget* parent)
    : LinkRunWindow({"fWrProgPar", QStringLiteral("Запись данных - \"Регистратор магнитного поля\""), "gStepWr_ZT",
                     link::kWriteGaugeMax, "tWrInit", "tStepWrPar", link::kWritingTickMs, true},
                    context.messages, parent),
      run_(context.protocol, RunMessages(), shell::WriteParametersOf(context.image, context.clockCorrection)) {}

}  // namespace zt::app
