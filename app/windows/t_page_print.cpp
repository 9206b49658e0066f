#include "app/windows/t_page_print.h"

#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"
#include "app/windows/print_font.h"
#include "app/windows/text_codec.h"

namespace zt::app {
namespace {

QSpinBox* MarginSpin(const char* name, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setAccessibleName(spin->objectName());
  spin->setRange(0, 20);
  spin->setFixedWidth(60);
  return spin;
}

QLabel* Named(QLabel* label, const char* name) {
  label->setObjectName(QString::fromLatin1(name));
  label->setAccessibleName(label->text().isEmpty() ? label->objectName() : label->text());
  return label;
}

}  // namespace

TPagePrint::TPagePrint(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      ctx_(context) {
  setObjectName(QStringLiteral("PagePrint"));
  setWindowTitle(QStringLiteral("УСТАНОВКИ ОТЧЕТОВ"));
  setAccessibleName(windowTitle());

  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  menu->setObjectName(QStringLiteral("MainMenu1"));
  QAction* N1 = menu->addAction(QStringLiteral("ДА"));
  N1->setObjectName(QStringLiteral("N1"));
  connect(N1, &QAction::triggered, this, &TPagePrint::N1Click);
  QAction* N2 = menu->addAction(QStringLiteral("ОТМЕНА"));
  N2->setObjectName(QStringLiteral("N2"));
  connect(N2, &QAction::triggered, this, &TPagePrint::N2Click);
  layout->setMenuBar(menu);

  QFont headingFont = font();
  headingFont.setBold(true);
  auto* Label1 = Named(new QLabel(QStringLiteral("ПАРАМЕТРЫ СТРАНИЦЫ"), this), "Label1");
  Label1->setFont(headingFont);
  Label1->setAlignment(Qt::AlignCenter);
  layout->addWidget(Label1);

  auto* GroupBox1 = new QGroupBox(QStringLiteral("Шрифт"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* fontGrid = new QGridLayout(GroupBox1);
  fontGrid->addWidget(Named(new QLabel(QStringLiteral("Название"), GroupBox1), "Label6"), 0, 0);
  stFont = Named(new QLabel(GroupBox1), "stFont");
  stFont->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  stFont->setMinimumWidth(180);
  fontGrid->addWidget(stFont, 0, 1);
  fontGrid->addWidget(Named(new QLabel(QStringLiteral("Размер"), GroupBox1), "Label8"), 1, 0);
  StaticText2 = Named(new QLabel(GroupBox1), "StaticText2");
  StaticText2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  fontGrid->addWidget(StaticText2, 1, 1);
  auto* BitBtn1 = new QPushButton(QStringLiteral("Изменить"), GroupBox1);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setAccessibleName(BitBtn1->text());
  connect(BitBtn1, &QPushButton::clicked, this, &TPagePrint::BitBtn1Click);
  fontGrid->addWidget(BitBtn1, 0, 2, 2, 1);
  layout->addWidget(GroupBox1);

  auto* margins = new QGridLayout;
  SpinEdit2 = MarginSpin("SpinEdit2", this);
  SpinEdit3 = MarginSpin("SpinEdit3", this);
  SpinEdit4 = MarginSpin("SpinEdit4", this);
  margins->addWidget(Named(new QLabel(QStringLiteral("Верхнее поле\n(кол-во строк)"), this), "Label7"), 0, 0);
  margins->addWidget(SpinEdit2, 0, 1);
  margins->addWidget(Named(new QLabel(QStringLiteral("Отступ слева \n(кол-во символов)"), this), "Label4"), 1, 0);
  margins->addWidget(SpinEdit3, 1, 1);
  margins->addWidget(Named(new QLabel(QStringLiteral("Нижнее поле\n(кол-во строк)"), this), "Label5"), 2, 0);
  margins->addWidget(SpinEdit4, 2, 1);
  layout->addLayout(margins);

  auto* Label3 = Named(new QLabel(QStringLiteral("ЯЗЫК ОТЧЕТА"), this), "Label3");
  Label3->setFont(headingFont);
  Label3->setAlignment(Qt::AlignCenter);
  layout->addWidget(Label3);
  RadioButton3 = new QRadioButton(QStringLiteral("УКРАИНСКИЙ"), this);
  RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
  RadioButton3->setAccessibleName(RadioButton3->text());
  RadioButton4 = new QRadioButton(QStringLiteral("РУССКИЙ "), this);
  RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
  RadioButton4->setAccessibleName(RadioButton4->text());
  layout->addWidget(RadioButton3);
  layout->addWidget(RadioButton4);

  layout->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  CentreOnScreen(*this);

  Timer1.setInterval(200);
  connect(&Timer1, &QTimer::timeout, this, &TPagePrint::Timer1Timer);
  Timer1.start();
}

report::PageSettingsValues TPagePrint::ShownValues() const {
  report::PageSettingsValues values;
  values.leftIndent = static_cast<std::uint8_t>(SpinEdit3->value());
  values.topMargin = static_cast<std::uint8_t>(SpinEdit2->value());
  values.bottomMargin = static_cast<std::uint8_t>(SpinEdit4->value());
  values.reportLanguage = RadioButton3->isChecked() ? report::kReportLanguageUkrainian : report::kReportLanguageRussian;
  return values;
}

void TPagePrint::Timer1Timer() {
  Timer1.stop();
  ShowFont();
  const report::PageSettingsValues shown = report::PageSettingsShown(ctx_.print.settings);
  SpinEdit3->setValue(shown.leftIndent);
  SpinEdit2->setValue(shown.topMargin);
  SpinEdit4->setValue(shown.bottomMargin);
  if (shown.reportLanguage == report::kReportLanguageUkrainian) RadioButton3->setChecked(true);
  if (shown.reportLanguage == report::kReportLanguageRussian) RadioButton4->setChecked(true);
}

void TPagePrint::BitBtn1Click() {
  bool confirmed = false;
  const report::PrinterFont stored = report::FontOf(ctx_.print.settings);
  const QFont chosen = QFontDialog::getFont(&confirmed, PrintedReportQFont(stored), this, QStringLiteral("Шрифт"));
  if (!confirmed) return;
  report::AcceptFontChange(ReportFontOf(chosen, stored), ShownValues(), ctx_.Printing());
  ShowFont();
}

void TPagePrint::ShowFont() {
  stFont->setText(FromCp1251(ctx_.print.settings.fontName));
  StaticText2->setText(QString::number(ctx_.print.settings.fontSize));
}

void TPagePrint::N1Click() {
  report::AcceptPageSettings(ShownValues(), ctx_.Printing());
  accept();
}

void TPagePrint::N2Click() { reject(); }

}  // namespace zt::app
