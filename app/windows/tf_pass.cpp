#include "app/windows/tf_pass.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProxyStyle>
#include <QVBoxLayout>

#include "app/shell/app_state.h"
#include "app/windows/centre_on_screen.h"
#include "app/windows/plain_button.h"
#include "app/windows/release_keys.h"
#include "app/windows/text_codec.h"

namespace zt::app {

namespace {

constexpr int kWaitBarMax = 10;

// The password echo: every character drawn as "X", at once.
class XEchoStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return 'X';
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

TfPass::TfPass(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      ctx_(context),
      dispatcher_(dispatcher),
      messages_(context.messages, [this] { ShowWait(false); }),
      step_(context.protocol, messages_, context.lastPasswordText, context.state.operationMode.value_or(link::OperationMode::Reading)) {
  setObjectName(QStringLiteral("fPass"));
  setWindowTitle(QStringLiteral("ПАРОЛЬ РЕГИСТРАТОРА"));
  setAccessibleName(windowTitle());
  setFixedSize(278, 108);
  setStyleSheet(QStringLiteral("QDialog#fPass { border: 2px outset #a0a0a0; }"));

  auto* layout = new QVBoxLayout(this);
  auto* entryRow = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("ПАРОЛЬ РЕГИСТРАТОРА"), this);
  edPass = new QLineEdit(this);
  edPass->setObjectName(QStringLiteral("edPass"));
  edPass->setAccessibleName(caption->text());
  caption->setBuddy(edPass);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  edPass->setFont(courier);
  // The password echo, with every character drawn as "X" at once.
  auto* echo = new XEchoStyle;
  echo->setParent(edPass);
  edPass->setStyle(echo);
  edPass->setEchoMode(QLineEdit::Password);
  entryRow->addWidget(caption);
  entryRow->addWidget(edPass, 1);
  layout->addLayout(entryRow);

  bYes = PlainButton(this, "bYes", QStringLiteral("Да"));
  bNo = PlainButton(this, "bNo", QStringLiteral("Отмена"));
  layout->addLayout(CentredRow({bYes, bNo}));
  connect(bYes, &QPushButton::clicked, this, &TfPass::bYesClick);
  connect(bNo, &QPushButton::clicked, this, &TfPass::bNoClick);

  pWait = new QWidget(this);
  pWait->setObjectName(QStringLiteral("pWait"));
  pWait->setAccessibleName(QStringLiteral("pWait"));
  auto* waitLayout = new QHBoxLayout(pWait);
  waitLayout->setContentsMargins(0, 0, 0, 0);
  prWait = new QProgressBar(pWait);
  prWait->setObjectName(QStringLiteral("prWait"));
  prWait->setAccessibleName(QStringLiteral("prWait"));
  prWait->setRange(0, kWaitBarMax);
  prWait->setTextVisible(false);
  prWait->setFixedHeight(10);
  waitLayout->addWidget(prWait);
  // The strip keeps its place in the layout while hidden, so the window does not jump.
  QSizePolicy keep = pWait->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  pWait->setSizePolicy(keep);
  pWait->hide();
  layout->addWidget(pWait);

  tStepPass.setInterval(link::kPasswordTickMs);
  connect(&tStepPass, &QTimer::timeout, this, &TfPass::tStepPassTimer);
  t_prW.setInterval(link::kPasswordTickMs * link::kPasswordBarTicks);
  connect(&t_prW, &QTimer::timeout, this, &TfPass::t_prWTimer);
  new ReleaseKeys(*this, [this] { bYesClick(); }, [this] { bNoClick(); });
  CentreOnScreen(*this);
  edPass->setFocus();
}

void TfPass::bYesClick() {
  if (step_.Waiting()) return;
  if (!step_.Accept(ToCp1251(edPass->text()))) return;
  ShowWait(true);
  tStepPass.start();
}

void TfPass::bNoClick() { reject(); }

void TfPass::tStepPassTimer() {
  step_.Tick();
  if (step_.Waiting()) return;
  tStepPass.stop();
  ShowWait(false);
  if (!step_.Accepted()) return;
  // The port stays open for the window that follows, which opens once this one is gone.
  const bool reading = step_.Mode() == link::OperationMode::Reading;
  accept();
  if (reading)
    dispatcher_.OpenReadWindow();
  else
    dispatcher_.OpenParameterEditor();
}

void TfPass::t_prWTimer() { prWait->setValue(prWait->value() >= kWaitBarMax ? 0 : prWait->value() + 1); }

void TfPass::ShowWait(bool shown) {
  pWait->setVisible(shown);
  prWait->setValue(0);
  if (shown)
    t_prW.start();
  else
    t_prW.stop();
}

void TfPass::done(int result) {
  if (step_.Waiting()) {
    // Left in the middle of the exchange: the port it opened is not kept.
    tStepPass.stop();
    step_.Cancel();
    ctx_.protocol.ClosePort();
  }
  ShowWait(false);
  QDialog::done(result);
}

}  // namespace zt::app
