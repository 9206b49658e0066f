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

}  // namespace zt::app
