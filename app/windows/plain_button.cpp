#include "app/windows/plain_button.h"

namespace zt::app {

QPushButton* PlainButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(caption);
  button->setAutoDefault(false);
  return button;
}

}  // namespace zt::app
