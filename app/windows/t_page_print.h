// The page settings window ("УСТАНОВКИ ОТЧЕТОВ"): the report font, the left
// indent and the margins, the report language; what it accepts is measured
// on the printer and saved to Work/FileInRS.000.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "app/windows/app_context.h"
#include "report/page_settings.h"

namespace zt::app {

class TPagePrint final : public QDialog {
  Q_OBJECT

 public:
  explicit TPagePrint(AppContext& context, QWidget* parent = nullptr);

 private:
  report::PageSettingsValues ShownValues() const;
  void ShowFont();

  void Timer1Timer();
  void BitBtn1Click();
  void N1Click();
  void N2Click();

  AppContext& ctx_;
  QLabel* stFont = nullptr;
  QLabel* StaticText2 = nullptr;
  QSpinBox* SpinEdit2 = nullptr;
  QSpinBox* SpinEdit3 = nullptr;
  QSpinBox* SpinEdit4 = nullptr;
  QRadioButton* RadioButton3 = nullptr;
  QRadioButton* RadioButton4 = nullptr;
  QTimer Timer1;
};

}  // namespace zt::app
