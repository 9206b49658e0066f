#include "app/windows/tf_sel_rs.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"
#include "app/windows/plain_button.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_zetl.h"
#include "core/conversions.h"

namespace zt::app {

TfSel_RS::TfSel_RS(AppContext& context, TfZetl& mainWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      ctx_(context),
      main_(mainWindow),
      search_(context.protocol, context.probe, context.search, context.state.files) {
  setObjectName(QStringLiteral("fSel_RS"));
  setWindowTitle(QStringLiteral("КОНТРОЛЬ ПОДКЛЮЧЕНИЯ РЕГИСТРАТОРА"));
  setAccessibleName(windowTitle());
  setFixedSize(337, 124);
  CentreOnScreen(*this);

  auto* frame = new QVBoxLayout(this);
  Label1 = new QLabel(QStringLiteral("КОНТРОЛЬ ПОДКЛЮЧЕНИЯ РЕГИСТРАТОРА"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(Label1->text());
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold; font-style: italic;"));
  auto* Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAccessibleName(QStringLiteral("Label2"));
  lError = new QLabel(this);
  lError->setObjectName(QStringLiteral("lError"));
  lError->setAccessibleName(QStringLiteral("lError"));
  lError->setAlignment(Qt::AlignCenter);
  lError->setStyleSheet(QStringLiteral("color: #ff0000; font-weight: bold;"));
  lError->hide();
  pBar_COM = new QProgressBar(this);
  pBar_COM->setObjectName(QStringLiteral("pBar_COM"));
  pBar_COM->setAccessibleName(QStringLiteral("pBar_COM"));
  pBar_COM->setRange(0, link::kSearchBarMax);
  pBar_COM->setTextVisible(false);
  pBar_COM->hide();
  mDebSel = new QListWidget(this);
  mDebSel->setObjectName(QStringLiteral("mDebSel"));
  mDebSel->setAccessibleName(QStringLiteral("mDebSel"));
  mDebSel->hide();
  Error = new QLabel(QStringLiteral("0"), this);
  Error->setObjectName(QStringLiteral("Error"));
  Error->setAccessibleName(QStringLiteral("Error"));
  Error->hide();
  BitBtn_Repet = PlainButton(this, "BitBtn_Repet", QStringLiteral("Повторить"));
  BitBtn_Repet->hide();
  BitBtn_No = PlainButton(this, "BitBtn_No", QStringLiteral("Отмена"));
  connect(BitBtn_Repet, &QPushButton::clicked, this, &TfSel_RS::BitBtn_RepetClick);
  connect(BitBtn_No, &QPushButton::clicked, this, &TfSel_RS::BitBtn_NoClick);

  frame->addWidget(Label1);
  frame->addWidget(Label2);
  frame->addWidget(lError);
  frame->addWidget(pBar_COM);
  frame->addWidget(mDebSel);
  frame->addWidget(Error);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn_Repet);
  buttons->addWidget(BitBtn_No);
  buttons->addStretch();
  frame->addLayout(buttons);
  setStyleSheet(QStringLiteral("QDialog#fSel_RS { border: 2px outset #a0a0a0; }"));

  tStart.setInterval(link::kSearchTickMs);
  tStart.setSingleShot(true);
  connect(&tStart, &QTimer::timeout, this, &TfSel_RS::tStartTimer);
  tSearch.setInterval(link::kSearchTickMs);
  connect(&tSearch, &QTimer::timeout, this, &TfSel_RS::tSearchTick);
  tStart.start();
}

TfSel_RS::~TfSel_RS() {
  // A search cut short must not leave the port open.
  if (!search_.Finished()) search_.Cancel();
}

void TfSel_RS::tStartTimer() {
  search_.Start();
  tSearch.start();
  ShowState();
}

void TfSel_RS::tSearchTick() {
  search_.Tick();
  ShowState();
  if (!search_.Finished()) return;
  switch (search_.Code()) {
    case link::SearchCode::Found:
      tSearch.stop();
      ctx_.state.identificationText = ctx_.protocol.IdentificationText();
      ctx_.state.serialNumberText = ctx_.protocol.SerialNumberText();
      main_.ShowReadWriteMenus(true);
      accept();
      break;
    case link::SearchCode::NotFound:
      // The window stays for "Повторить" or "Отмена".
      tSearch.stop();
      main_.ShowReadWriteMenus(false);
      break;
    case link::SearchCode::Cancelled:
    case link::SearchCode::None: break;
  }
}

void TfSel_RS::ShowState() {
  pBar_COM->setVisible(search_.ProgressVisible());
  pBar_COM->setValue(search_.Progress());
  lError->setVisible(search_.ErrorVisible());
  lError->setText(FromCp1251(search_.ErrorText()));
  BitBtn_Repet->setVisible(search_.RepeatVisible());
  Error->setText(QString::fromStdString(search_.AttemptsText()));
  const auto& trace = search_.TraceLines();
  for (; traceShown_ < trace.size(); ++traceShown_) mDebSel->addItem(FromCp1251(StripControlChars(trace[traceShown_])));
}

void TfSel_RS::BitBtn_RepetClick() {
  search_.Repeat();
  tSearch.start();
  ShowState();
}

void TfSel_RS::StopSearch() {
  tStart.stop();
  tSearch.stop();
  if (!search_.Finished()) search_.Cancel();
}

void TfSel_RS::BitBtn_NoClick() {
  StopSearch();
  reject();
}

void TfSel_RS::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    BitBtn_NoClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfSel_RS::closeEvent(QCloseEvent* event) {
  StopSearch();
  QDialog::closeEvent(event);
}

}  // namespace zt::app
