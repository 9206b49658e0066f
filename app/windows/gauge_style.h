// The green, bold progress gauges of the device and load windows.
#pragma once

#include <QProgressBar>

namespace zt::app {

void StyleGauge(QProgressBar& gauge);

}  // namespace zt::app
