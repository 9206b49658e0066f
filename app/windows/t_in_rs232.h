// The serial-port holder window: it exists for the whole run beside the one
// serial channel and is never shown by a visible command.
#pragma once

#include <QDialog>

namespace zt::app {

class TInRS232 final : public QDialog {
  Q_OBJECT

 public:
  explicit TInRS232(QWidget* parent = nullptr);
};

}  // namespace zt::app
