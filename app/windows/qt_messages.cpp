#include "app/windows/qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/windows/text_codec.h"

namespace zt::app {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QString TitleOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Предупреждение");
    case MessageKind::Error: return QStringLiteral("Ошибка");
    case MessageKind::Information: return QStringLiteral("Информация");
    case MessageKind::Confirmation: return QStringLiteral("Подтверждение");
  }
  return {};
}

}  // namespace

bool QtMessages::Show(MessageKind kind, std::string_view text) {
  // Over the window in front, even when the program has not the focus: a box without one
  // belongs to no window, and a window manager may stack it anywhere.
  QWidget* parent = parent_ ? parent_.data() : QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(IconOf(kind), TitleOf(kind), FromCp1251(text), QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setAccessibleName(box.windowTitle());
  if (kind == MessageKind::Confirmation) {
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    yes->setAccessibleName(yes->text());
    no->setAccessibleName(no->text());
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
  }
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  ok->setAccessibleName(ok->text());
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return true;
}

}  // namespace zt::app
