#include "app/windows/t_print_ku.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/windows/printer_setup_dialog.h"
#include "app/windows/qt_print_dialog.h"
#include "app/windows/t_page_print.h"
#include "app/windows/t_wait_pr.h"
#include "report/page_settings.h"
#include "report/report_files_cleanup.h"
#include "report/sheet_range.h"

namespace zt::app {
namespace {

QRadioButton* Radio(const QString& caption, const char* name, QWidget* parent) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(QString::fromLatin1(name));
  radio->setAccessibleName(caption);
  return radio;
}

QDate ToQDate(const LocalDateTime& t) { return QDate(t.year, t.month, t.day); }
QTime ToQTime(const LocalDateTime& t) { return QTime(t.hour, t.minute, t.second); }

LocalDateTime FromPickers(const QDate& date, const QTime& time) {
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

QDateEdit* DatePicker(const char* name, QWidget* parent) {
  auto* picker = new QDateEdit(parent);
  picker->setObjectName(QString::fromLatin1(name));
  picker->setAccessibleName(picker->objectName());
  picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  picker->setDateRange(ToQDate(report::kEarliestPickerDate), ToQDate(report::kLatestPickerDate));
  picker->setCalendarPopup(true);
  return picker;
}

QTimeEdit* TimePicker(const char* name, QWidget* parent) {
  auto* picker = new QTimeEdit(parent);
  picker->setObjectName(QString::fromLatin1(name));
  picker->setAccessibleName(picker->objectName());
  picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  return picker;
}

}  // namespace

TPrint_ku::TPrint_ku(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(context),
      dispatcher_(dispatcher),
      preview_(this) {
  setObjectName(QStringLiteral("Print_ku"));
  setWindowTitle(QStringLiteral("ПРОТОКОЛЫ"));
  setAccessibleName(windowTitle());
  resize(1024, 700);
  setWindowState(Qt::WindowMaximized);

  auto* layout = new QVBoxLayout(this);
  BuildMenu();
  layout->addWidget(BuildChoicePanel());
  QPlainTextEdit* RichEdit1 = preview_.Widget();
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAccessibleName(QStringLiteral("RichEdit1"));
  layout->addWidget(RichEdit1, 1);
  ShowPeriodChoice({});

  tInitPrn.setInterval(100);
  connect(&tInitPrn, &QTimer::timeout, this, &TPrint_ku::tInitPrnTimer);
  Timer1.setInterval(500);
  connect(&Timer1, &QTimer::timeout, this, &TPrint_ku::Timer1Timer);
  tInitPrn.start();
}

void TPrint_ku::BuildMenu() {
  auto* MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  MainMenu1->setAccessibleName(QStringLiteral("MainMenu1"));
  auto named = [this](QAction* action, const char* name, auto handler) {
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  QMenu* N1 = MainMenu1->addMenu(QStringLiteral("ПЕЧАТЬ"));
  N1->setObjectName(QStringLiteral("N1"));
  N1->menuAction()->setObjectName(QStringLiteral("N1"));
  named(N1->addAction(QStringLiteral("НАСТРОЙКА ПЕЧАТИ")), "prnSetupPrn", &TPrint_ku::prnSetupPrnClick);
  named(N1->addAction(QStringLiteral("УСТАНОВКИ ОТЧЕТОВ ...")), "prnSetupRep", &TPrint_ku::prnSetupRepClick);
  named(N1->addAction(QStringLiteral("ПРОСМОТР С УСТАНОВКАМИ")), "prnViewPr",
        [this] { StartReportCommand(report::ReportMode::ViewWithSettings); });
  named(N1->addAction(QStringLiteral("ПЕЧАТЬ")), "prnPrint", [this] { StartReportCommand(report::ReportMode::Print); });
  named(MainMenu1->addAction(QStringLiteral("ПРОСМОТР")), "prnView",
        [this] { StartReportCommand(report::ReportMode::View); });
  named(MainMenu1->addAction(QStringLiteral("О ПРОГРАММЕ")), "mRep_Help", [this] { dispatcher_.OpenAboutWindow(); });
  named(MainMenu1->addAction(QStringLiteral("ВЫХОД")), "N8", [this] { accept(); });
  static_cast<QVBoxLayout*>(layout())->setMenuBar(MainMenu1);
}

QWidget* TPrint_ku::BuildChoicePanel() {
  auto* panel = new QWidget(this);
  auto* row = new QHBoxLayout(panel);

  auto* archive = new QGroupBox(panel);
  auto* archiveColumn = new QVBoxLayout(archive);
  rbArcDate = Radio(QStringLiteral("Временной архив"), "rbArcDate", archive);
  rbArcCur = Radio(QStringLiteral("Оперативный архив"), "rbArcCur", archive);
  rbArcDate->setChecked(true);
  archiveColumn->addWidget(rbArcDate);
  archiveColumn->addWidget(rbArcCur);
  connect(rbArcDate, &QRadioButton::clicked, this, &TPrint_ku::rbArcClick);
  connect(rbArcCur, &QRadioButton::clicked, this, &TPrint_ku::rbArcClick);
  row->addWidget(archive);

  auto* tables = new QWidget(panel);
  auto* tablesStack = new QVBoxLayout(tables);
  tablesStack->setContentsMargins(0, 0, 0, 0);
  auto* dateGroup = new QGroupBox(tables);
  pArcDate = dateGroup;
  pArcDate->setObjectName(QStringLiteral("pArcDate"));
  auto* dateColumn = new QVBoxLayout(dateGroup);
  rDate_All = Radio(QStringLiteral("Все таблицы"), "rDate_All", dateGroup);
  rDate_DT = Radio(QStringLiteral("Почасовые данные"), "rDate_DT", dateGroup);
  rDate_Alarm = Radio(QStringLiteral("Аварии"), "rDate_Alarm", dateGroup);
  chShort = new QCheckBox(QStringLiteral("Краткий формат"), dateGroup);
  chShort->setObjectName(QStringLiteral("chShort"));
  chShort->setAccessibleName(chShort->text());
  rDate_All->setChecked(true);
  for (QWidget* w : {static_cast<QWidget*>(rDate_All), static_cast<QWidget*>(rDate_DT),
                     static_cast<QWidget*>(rDate_Alarm), static_cast<QWidget*>(chShort)})
    dateColumn->addWidget(w);
  auto* curGroup = new QGroupBox(tables);
  pArcCur = curGroup;
  pArcCur->setObjectName(QStringLiteral("pArcCur"));
  auto* curColumn = new QVBoxLayout(curGroup);
  rCur_All = Radio(QStringLiteral("Все таблицы"), "rCur_All", curGroup);
  rCur_SostS = Radio(QStringLiteral("Состояние датчиков"), "rCur_SostS", curGroup);
  rCur_cDate = Radio(QStringLiteral("Коррекция времени"), "rCur_cDate", curGroup);
  rCur_Reset = Radio(QStringLiteral("Контроли"), "rCur_Reset", curGroup);
  rCur_All->setChecked(true);
  for (QRadioButton* r : {rCur_All, rCur_SostS, rCur_cDate, rCur_Reset}) curColumn->addWidget(r);
  pArcCur->hide();
  tablesStack->addWidget(pArcDate);
  tablesStack->addWidget(pArcCur);
  row->addWidget(tables);

  auto* period = new QGroupBox(panel);
  auto* grid = new QGridLayout(period);
  auto* Label1 = new QLabel(QStringLiteral("Начало"), period);
  Label1->setObjectName(QStringLiteral("Label1"));
  auto* Label2 = new QLabel(QStringLiteral("Конец"), period);
  Label2->setObjectName(QStringLiteral("Label2"));
  DT_dBeg = DatePicker("DT_dBeg", period);
  DT_tBeg = TimePicker("DT_tBeg", period);
  DT_dEnd = DatePicker("DT_dEnd", period);
  DT_tEnd = TimePicker("DT_tEnd", period);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(DT_dBeg, 0, 1);
  grid->addWidget(DT_tBeg, 0, 2);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(DT_dEnd, 1, 1);
  grid->addWidget(DT_tEnd, 1, 2);
  row->addWidget(period);
  row->addStretch(1);
  return panel;
}

void TPrint_ku::ShowPeriodChoice(const report::ReportPeriodChoice& choice) {
  DT_dBeg->setDate(ToQDate(choice.begin));
  DT_tBeg->setTime(ToQTime(choice.begin));
  DT_dEnd->setDate(ToQDate(choice.end));
  DT_tEnd->setTime(ToQTime(choice.end));
  (choice.archive == ArchiveKind::Time ? rbArcDate : rbArcCur)->setChecked(true);
}

report::ReportPeriodChoice TPrint_ku::PeriodChoice() const {
  return {FromPickers(DT_dBeg->date(), DT_tBeg->time()), FromPickers(DT_dEnd->date(), DT_tEnd->time()),
          rbArcDate->isChecked() ? ArchiveKind::Time : ArchiveKind::Operational};
}

report::ReportRequest TPrint_ku::Request() const {
  using report::TableChoice;
  report::ReportRequest request;
  const report::ReportPeriodChoice choice = PeriodChoice();
  if (choice.archive == ArchiveKind::Time) {
    request.archive = ArchiveKind::Time;
    request.tables = rDate_DT->isChecked()      ? TableChoice::Hourly
                     : rDate_Alarm->isChecked() ? TableChoice::Abnormal
                                                : TableChoice::All;
    request.shortFormat = chShort->isChecked();
  } else {
    request.archive = ArchiveKind::Operational;
    request.tables = rCur_SostS->isChecked()   ? TableChoice::SensorStates
                     : rCur_cDate->isChecked() ? TableChoice::ClockCorrection
                     : rCur_Reset->isChecked() ? TableChoice::Controls
                                               : TableChoice::All;
  }
  request.beginDate = report::PeriodDateText(choice.begin, ctx_.formats);
  request.beginTime = report::PeriodTimeText(choice.begin, ctx_.formats);
  request.endDate = report::PeriodDateText(choice.end, ctx_.formats);
  request.endTime = report::PeriodTimeText(choice.end, ctx_.formats);
  return request;
}

void TPrint_ku::tInitPrnTimer() {
  tInitPrn.stop();
  preview_.SetFont(report::FontOf(ctx_.print.settings));
  report::ReportPeriodChoice choice = PeriodChoice();
  report::LoadReportPeriod(ctx_.state.files, choice, ctx_.formats);
  ShowPeriodChoice(choice);
  rbArcClick();
}

void TPrint_ku::rbArcClick() {
  pArcDate->setVisible(rbArcDate->isChecked());
  pArcCur->setVisible(!rbArcDate->isChecked());
}

void TPrint_ku::StartReportCommand(report::ReportMode mode) {
  preview_.Clear();
  mode_ = mode;
  dispatcher_.OpenPrintWaitWindow();
}

std::unique_ptr<QDialog> TPrint_ku::MakePrintWaitWindow(QWidget* owner) {
  PrintTimerSwitch print{[this](int sheets) {
                           sheetsToPrint_ = sheets;
                           Timer1.start();
                         },
                         [this] { Timer1.stop(); }};
  return std::make_unique<TWaitPr>(ctx_, mode_, Request(), preview_, std::move(print), owner);
}

void TPrint_ku::Timer1Timer() {
  Timer1.stop();
  QtPrintDialog dialog(*ctx_.printer, this);
  report::PrintReport(dialog, sheetsToPrint_, ctx_.Printing());
}

void TPrint_ku::prnSetupPrnClick() {
  PrinterSetupDialog PrinterSetupDialog1(*ctx_.printer, this);
  if (PrinterSetupDialog1.Run()) report::AcceptPrinterSetup(ctx_.Printing());
}

void TPrint_ku::prnSetupRepClick() {
  TPagePrint page(ctx_, this);
  page.exec();
  preview_.SetFont(report::FontOf(ctx_.print.settings));
}

void TPrint_ku::keyPressEvent(QKeyEvent* event) {
  // No close box: only "ВЫХОД" closes the window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TPrint_ku::done(int result) {
  Timer1.stop();
  report::SaveReportPeriod(ctx_.state.files, PeriodChoice(), ctx_.formats);
  report::DeleteReportFiles(ctx_.state.files);
  QDialog::done(result);
}

}  // namespace zt::app
