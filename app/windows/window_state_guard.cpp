#include "app/windows/window_state_guard.h"

#include <QWindowStateChangeEvent>
#include <QTimer>
#include <QWidget>

namespace zt::app {

bool WindowStateGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::WindowStateChange || !watched->isWidgetType()) return false;
  auto* window = static_cast<QWidget*>(watched);
  if (!window->isWindow()) return false;
  const Qt::WindowStates was = static_cast<QWindowStateChangeEvent*>(event)->oldState();
  const Qt::WindowStates now = window->windowState();
  // A window given the button may do what it does.
  const Qt::WindowFlags buttons = window->windowFlags();
  const bool minimised = now.testFlag(Qt::WindowMinimized) && !buttons.testFlag(Qt::WindowMinimizeButtonHint);
  const bool unmaximised = was.testFlag(Qt::WindowMaximized) && !now.testFlag(Qt::WindowMaximized) &&
                           !buttons.testFlag(Qt::WindowMaximizeButtonHint);
  if (!minimised && !unmaximised) return false;
  const Qt::WindowStates back = was & ~Qt::WindowMinimized;
  // Once the window manager's change has been taken in, not inside it.
  QTimer::singleShot(0, window, [window, back] {
    window->setWindowState(back);
    window->raise();
    window->activateWindow();
  });
  return false;
}

}  // namespace zt::app
