// Most of the program's windows open in the middle of the screen.
#pragma once

#include <QScreen>
#include <QWidget>

namespace zt::app {

// The window's size must be final: a layout-sized window is adjusted first.
inline void CentreOnScreen(QWidget& window) {
  if (const QScreen* screen = window.screen()) window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace zt::app
