// The green, bold progress gauges of the device and load windows.
#pragma once

#include <QProgressBar>

namespace zt::app {

void StyleGauge(QProgressBar& gauge);

// A styled gauge of range 0..maximum at 0, 31 pixels high.
QProgressBar* MakeGauge(QWidget* parent, const char* name, int maximum);

}  // namespace zt::app
