// Shown while the program builds its permanent windows.
#pragma once

#include <QWidget>

namespace zt::app {

class TSplashForm final : public QWidget {
  Q_OBJECT

 public:
  explicit TSplashForm(QWidget* parent = nullptr);
};

}  // namespace zt::app
