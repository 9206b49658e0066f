// Most of the program's windows open in the middle of the screen.
#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace zt::app {

// The window's size must be final: a layout-sized window is adjusted first. Its
// frame is what is centred; before the window is shown the window manager has not
// framed it yet, so the frame its owner got stands for its own.
inline void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) return;
  QMargins frame;
  if (!window.windowFlags().testFlag(Qt::FramelessWindowHint)) {
    const QWindow* shown = window.windowHandle();
    const QWidget* owner = window.parentWidget();
    if (shown && shown->isVisible())
      frame = shown->frameMargins();
    else if (owner && owner->window()->windowHandle())
      frame = owner->window()->windowHandle()->frameMargins();
  }
  QRect outer(QPoint(0, 0), window.size().grownBy(frame));
  outer.moveCenter(screen->availableGeometry().center());
  window.move(outer.topLeft());
}

}  // namespace zt::app
