#include "app/windows/gauge_style.h"

namespace zt::app {

void StyleGauge(QProgressBar& gauge) {
  QFont font = gauge.font();
  font.setBold(true);
  gauge.setFont(font);
  gauge.setAlignment(Qt::AlignCenter);
  gauge.setFormat(QStringLiteral("%p%"));
  gauge.setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: #008000; }"));
}

QProgressBar* MakeGauge(QWidget* parent, const char* name, int maximum) {
  auto* gauge = new QProgressBar(parent);
  gauge->setObjectName(QString::fromLatin1(name));
  gauge->setAccessibleName(QString::fromLatin1(name));
  gauge->setRange(0, maximum);
  gauge->setValue(0);
  gauge->setFixedHeight(31);
  StyleGauge(*gauge);
  return gauge;
}

}  // namespace zt::app
