// The operator's four kinds of message box over QMessageBox, with Russian
// buttons. A confirmation goes on only on "Да".
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "core/messages.h"

namespace zt::app {

class QtMessages final : public Messages {
 public:
  bool Show(MessageKind kind, std::string_view text) override;

  // The window the boxes are modal to; when none, the modal window in front, else the active one.
  void SetParent(QWidget* parent) { parent_ = parent; }

 private:
  QPointer<QWidget> parent_;
};

}  // namespace zt::app
