// The report window ("ПРОТОКОЛЫ"): archive, tables, short format and period;
// view, view with the page settings, and print, each built anew in the print
// wait window; the page settings and the printer set-up. The period and the
// archive are kept in Work/RepPrn.000; the report's files go when it closes.
#pragma once

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <memory>

#include "app/windows/app_context.h"
#include "app/windows/preview_edit.h"
#include "app/windows/window_dispatcher.h"
#include "report/print_context.h"
#include "report/print_wait.h"
#include "report/report_period.h"
#include "report/report_request.h"

namespace zt::app {

class TPrint_ku final : public QDialog {
  Q_OBJECT

 public:
  TPrint_ku(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent = nullptr);

  // The print wait window of the command given last (OpenPrintWaitWindow).
  std::unique_ptr<QDialog> MakePrintWaitWindow(QWidget* owner);

  QPlainTextEdit* Preview() const { return preview_.Widget(); }

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What the controls ask for now.
  report::ReportRequest Request() const;
  report::ReportPeriodChoice PeriodChoice() const;
  void BuildMenu();
  QWidget* BuildChoicePanel();
  void ShowPeriodChoice(const report::ReportPeriodChoice& choice);
  void StartReportCommand(report::ReportMode mode);

  void tInitPrnTimer();
  void Timer1Timer();
  void rbArcClick();
  void prnSetupPrnClick();
  void prnSetupRepClick();

  AppContext& ctx_;
  WindowDispatcher& dispatcher_;
  PreviewEdit preview_;
  report::ReportMode mode_ = report::ReportMode::View;
  int sheetsToPrint_ = 0;

  QRadioButton* rbArcDate = nullptr;
  QRadioButton* rbArcCur = nullptr;
  QWidget* pArcDate = nullptr;
  QRadioButton* rDate_All = nullptr;
  QRadioButton* rDate_DT = nullptr;
  QRadioButton* rDate_Alarm = nullptr;
  QCheckBox* chShort = nullptr;
  QWidget* pArcCur = nullptr;
  QRadioButton* rCur_All = nullptr;
  QRadioButton* rCur_SostS = nullptr;
  QRadioButton* rCur_cDate = nullptr;
  QRadioButton* rCur_Reset = nullptr;
  QDateEdit* DT_dBeg = nullptr;
  QTimeEdit* DT_tBeg = nullptr;
  QDateEdit* DT_dEnd = nullptr;
  QTimeEdit* DT_tEnd = nullptr;
  QTimer tInitPrn;
  QTimer Timer1;
};

}  // namespace zt::app
