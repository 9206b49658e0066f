#include "app/windows/t_splash_form.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "app/windows/centre_on_screen.h"

namespace zt::app {

TSplashForm::TSplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("SplashForm"));
  setAccessibleName(QStringLiteral("SplashForm"));
  setFixedSize(351, 115);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAutoFillBackground(true);
  panel->setStyleSheet(QStringLiteral("QFrame#Panel1 { background: #c0c0c0; }"));
  layout->addWidget(panel);
  auto* inner = new QVBoxLayout(panel);
  auto* title = new QLabel(QStringLiteral("Регистратор магнитного поля"), panel);
  title->setObjectName(QStringLiteral("Label1"));
  title->setAccessibleName(title->text());
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(20);
  font.setItalic(true);
  font.setUnderline(true);
  title->setFont(font);
  title->setAlignment(Qt::AlignCenter);
  auto* bevel = new QFrame(panel);
  bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
  auto* loading = new QLabel(QStringLiteral("Загрузка..."), panel);
  loading->setObjectName(QStringLiteral("Label2"));
  loading->setAccessibleName(loading->text());
  loading->setAlignment(Qt::AlignCenter);
  inner->addWidget(title);
  inner->addWidget(bevel);
  inner->addWidget(loading);
  CentreOnScreen(*this);
}

}  // namespace zt::app
