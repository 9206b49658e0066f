#include "app/windows/tf_men_zt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QWindow>

#include "app/windows/centre_on_screen.h"
#include "app/windows/t_about_form.h"
#include "app/windows/t_editor_adr_m.h"
#include "app/windows/t_print_ku.h"
#include "app/windows/t_in_rs232.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_edit_zt.h"
#include "app/windows/tf_help_gr.h"
#include "app/windows/tf_pass.h"
#include "app/windows/tf_rd_zt.h"
#include "app/windows/tf_sel_rs.h"
#include "app/windows/tf_wr_prog_par.h"
#include "app/windows/tf_zetl.h"
#include "app/windows/tz_agr_file.h"
#include "app/shell/operator_list.h"
#include "app/shell/startup_sequence.h"
#include "core/conversions.h"
#include "report/print_settings_file.h"

namespace zt::app {

namespace {

const QSize kOuterSize(345, 115);

}  // namespace

TfMen_ZT::TfMen_ZT(AppContext& context, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(context),
      dispatcher_(this) {
  setObjectName(QStringLiteral("fMen_ZT"));
  setWindowTitle(QStringLiteral("\"Регистратор магнитного поля\" "));
  setAccessibleName(windowTitle());
  setFixedSize(kOuterSize);
  CentreOnScreen(*this);

  QMenuBar* Main_ZT = menuBar();
  Main_ZT->setObjectName(QStringLiteral("Main_ZT"));
  Main_ZT->setAccessibleName(QStringLiteral("Main_ZT"));
  auto add = [&](const QString& caption, const char* name, void (TfMen_ZT::*handler)(), bool visible) {
    QAction* action = Main_ZT->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setVisible(visible);
    connect(action, &QAction::triggered, this, handler);
  };
  add(QStringLiteral("РАБОТА"), "fMen_Work", &TfMen_ZT::fMen_WorkClick, true);
  add(QStringLiteral("RS_232"), "fMen_RS", &TfMen_ZT::fMen_RSClick, false);
  add(QStringLiteral("РЕДАКТОР ФИО"), "N1", &TfMen_ZT::N1Click, false);
  add(QStringLiteral("О ПРОГРАММЕ"), "fMen_Help", &TfMen_ZT::fMen_HelpClick, true);
  add(QStringLiteral("ВЫХОД"), "fMen_Esc", &TfMen_ZT::fMen_EscClick, true);

  auto* panel = new QWidget(this);
  auto* row = new QHBoxLayout(panel);
  operatorCaption_ = new QLabel(QStringLiteral("Ф.И.О. Оператора___"), panel);
  operatorCaption_->setAccessibleName(operatorCaption_->text());
  ComboBox_Oper = new QComboBox(panel);
  ComboBox_Oper->setObjectName(QStringLiteral("ComboBox_Oper"));
  ComboBox_Oper->setAccessibleName(QStringLiteral("ComboBox_Oper"));
  row->addWidget(operatorCaption_);
  row->addWidget(ComboBox_Oper, 1);
  operatorCaption_->hide();
  ComboBox_Oper->hide();
  setCentralWidget(panel);

  InRS232_ = std::make_unique<TInRS232>(this);
  fZetl_ = std::make_unique<TfZetl>(ctx_, dispatcher_, this);
  ctx_.messages.SetParent(nullptr);
  RegisterWindows();

  tInit_ZT.setInterval(50);
  tInit_ZT.setSingleShot(true);
  connect(&tInit_ZT, &QTimer::timeout, this, &TfMen_ZT::tInit_ZTTimer);
  tStartProgr.setInterval(50);
  tStartProgr.setSingleShot(true);
  connect(&tStartProgr, &QTimer::timeout, this, &TfMen_ZT::tStartProgrTimer);
  tInit_ZT.start();
}

TfMen_ZT::~TfMen_ZT() = default;

void TfMen_ZT::RegisterWindows() {
  dispatcher_.Register(WindowKind::Search, [this](QWidget* owner) {
    return std::make_unique<TfSel_RS>(ctx_, *fZetl_, owner);
  });
  dispatcher_.Register(WindowKind::Load, [this](QWidget* owner) {
    return std::make_unique<TZagrFile>(ctx_, *fZetl_, owner);
  });
  dispatcher_.Register(WindowKind::RecordDetail, [this](QWidget* owner) {
    const ArchiveKind kind = dispatcher_.RecordDetailSelector();
    return std::make_unique<TfHelpGr>(ctx_, kind, fZetl_->CurrentRow(kind), owner);
  });
  dispatcher_.Register(WindowKind::OperatorEditor, [this](QWidget* owner) {
    return std::make_unique<TEditorAdrM>(ctx_, owner);
  });
  dispatcher_.Register(WindowKind::About, [this](QWidget* owner) {
    return std::make_unique<TAboutForm>(ctx_.state.regionalFlag, owner);
  });
  dispatcher_.Register(WindowKind::Password, [this](QWidget* owner) {
    return std::make_unique<TfPass>(ctx_, dispatcher_, owner);
  });
  dispatcher_.Register(WindowKind::Read, [this](QWidget* owner) {
    return std::make_unique<TfRd_ZT>(ctx_, *fZetl_, owner);
  });
  dispatcher_.Register(WindowKind::ParameterEditor, [this](QWidget* owner) {
    return std::make_unique<TfEdit_ZT>(ctx_, *fZetl_, owner);
  });
  dispatcher_.Register(WindowKind::Write, [this](QWidget* owner) {
    return std::make_unique<TfWrProgPar>(ctx_, *fZetl_, owner);
  });
  dispatcher_.Register(WindowKind::Report, [this](QWidget* owner) {
    return std::make_unique<TPrint_ku>(ctx_, dispatcher_, owner);
  });
  dispatcher_.Register(WindowKind::PrintWait, [this](QWidget* owner) -> std::unique_ptr<QDialog> {
    auto* report = qobject_cast<TPrint_ku*>(dispatcher_.Shown(WindowKind::Report));
    return report ? report->MakePrintWaitWindow(owner) : nullptr;
  });
}

void TfMen_ZT::FillOperators() {
  ComboBox_Oper->clear();
  ComboBox_Oper->clearEditText();
  for (const std::string& name : shell::ReadOperatorNames(ctx_.state.files)) ComboBox_Oper->addItem(FromCp1251(name));
}

void TfMen_ZT::tInit_ZTTimer() {
  tInit_ZT.stop();
  shell::StartupSequence sequence;
  shell::AddStateSteps(sequence, ctx_.state, ctx_.search, ctx_.state.files.ProgramFolder());
  // Qt's own dates are never shown; every date text comes from the core's formats.
  sequence.Set(shell::StartupStep::DateFormats, [this] { ctx_.formats = InitDateFormats(ctx_.clock); });
  sequence.Set(shell::StartupStep::PrintSettings, [this] {
    report::ResetPrintSettings(ctx_.print.settings);
    report::LoadPrintSettings(ctx_.state.files, ctx_.print, *ctx_.printer, ctx_.messages);
  });
  sequence.Set(shell::StartupStep::OperatorNames, [this] { FillOperators(); });
  sequence.Set(shell::StartupStep::DeviceSearch, [this] { dispatcher_.OpenSearchWindow(); });
  sequence.Run();
  // However the search window closed, the main window follows.
  tStartProgr.start();
}

void TfMen_ZT::tStartProgrTimer() {
  tStartProgr.stop();
  ShowMainWindow(true);
}

void TfMen_ZT::ShowMainWindow(bool withIdentification) {
  fZetl_->PrepareForShow(withIdentification);
  fZetl_->exec();
}

void TfMen_ZT::fMen_WorkClick() { ShowMainWindow(false); }

void TfMen_ZT::fMen_RSClick() { InRS232_->exec(); }

void TfMen_ZT::N1Click() {
  dispatcher_.OpenOperatorEditor();
  FillOperators();
}

void TfMen_ZT::fMen_HelpClick() { dispatcher_.OpenAboutWindow(); }

void TfMen_ZT::fMen_EscClick() { close(); }

void TfMen_ZT::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The frame is known when the window is first exposed: the window manager framed it before.
  if (!framed_ && windowHandle()) windowHandle()->installEventFilter(this);
}

bool TfMen_ZT::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose && !framed_) {
    framed_ = true;
    windowHandle()->removeEventFilter(this);
    FitFrame();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfMen_ZT::FitFrame() {
  const QMargins frame = windowHandle()->frameMargins();
  setFixedSize(kOuterSize.shrunkBy(frame));
  CentreOnScreen(*this);
}

void TfMen_ZT::closeEvent(QCloseEvent* event) {
  // Under a modal window the start window takes no command, its close box none either.
  if (QApplication::activeModalWidget()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace zt::app
