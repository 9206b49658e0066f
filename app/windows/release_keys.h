// Enter and Esc as the device-link and editing windows take them: on release,
// on the window or any of its controls, and only after their press came to
// the same window, so that the release of the key that closed a message box
// does not act again on the window beneath.
//
//   new ReleaseKeys(*this, [this] { Confirm(); }, [this] { Cancel(); });  // once the controls exist
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace zt::app {

class ReleaseKeys final : public QObject {
 public:
  // Watches the window and the controls it holds now; owned by the window.
  // Without onEnter, Enter is left to the window.
  ReleaseKeys(QWidget& window, std::function<void()> onEnter, std::function<void()> onEsc);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The handler of the key, or null when the key is not taken.
  const std::function<void()>* HandlerOf(int key) const;

  std::function<void()> onEnter_;
  std::function<void()> onEsc_;
  const std::function<void()>* pressed_ = nullptr;
};

}  // namespace zt::app
