#include "app/windows/release_keys.h"

#include <QKeyEvent>

namespace zt::app {

ReleaseKeys::ReleaseKeys(QWidget& window, std::function<void()> onEnter, std::function<void()> onEsc)
    : QObject(&window), onEnter_(std::move(onEnter)), onEsc_(std::move(onEsc)) {
  window.installEventFilter(this);
  for (QWidget* control : window.findChildren<QWidget*>()) control->installEventFilter(this);
}

const std::function<void()>* ReleaseKeys::HandlerOf(int key) const {
  if (key == Qt::Key_Escape) return &onEsc_;
  if (onEnter_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) return &onEnter_;
  return nullptr;
}

bool ReleaseKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
    return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const auto* handler = HandlerOf(key->key());
  if (!handler) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    pressed_ = handler;
    return true;
  }
  if (key->isAutoRepeat()) return true;
  const bool pressedHere = handler == pressed_;
  pressed_ = nullptr;
  if (pressedHere) (*handler)();
  return true;
}

}  // namespace zt::app
