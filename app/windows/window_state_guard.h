// A window manager may offer what the program's windows have no button for
// (openbox keeps minimise, maximise and close on every framed window). A
// window minimised would leave the program dead behind a hidden modal window,
// and one opened maximised would show less than it should; such a change, on
// a window without the button for it, is undone, and the window comes back as
// it was.
//
//   QCoreApplication::instance()->installEventFilter(&guard);  // every window of the program
#pragma once

#include <QObject>

namespace zt::app {

class WindowStateGuard final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zt::app
