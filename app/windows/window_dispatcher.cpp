#include "app/windows/window_dispatcher.h"

#include <QApplication>

namespace zt::app {

void WindowDispatcher::Register(WindowKind kind, Factory factory) { factories_[Index(kind)] = std::move(factory); }

void WindowDispatcher::OpenRecordDetail(ArchiveKind selector) {
  recordDetailSelector_ = selector;
  Open(WindowKind::RecordDetail);
}

void WindowDispatcher::Open(WindowKind kind) {
  const Factory& factory = factories_[Index(kind)];
  if (!factory) return;
  // Over the start window, the password window would bring it up over the main window.
  QWidget* front = QApplication::activeModalWidget();
  std::unique_ptr<QDialog> window = factory(front ? front : owner_);
  if (!window) return;
  shown_[Index(kind)] = window.get();
  window->setWindowModality(Qt::ApplicationModal);
  window->exec();
  // The unique_ptr destroys the window however the showing ended.
}

}  // namespace zt::app
