#include "app/windows/plain_button.h"

namespace zt::app {

QPushButton* PlainButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(caption);
  button->setAutoDefault(false);
  return button;
}

QHBoxLayout* CentredRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) row->addWidget(button);
  row->addStretch();
  return row;
}

}  // namespace zt::app
