// A push button that Enter does not press: the windows take Enter themselves.
#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace zt::app {

QPushButton* PlainButton(QWidget* parent, const char* name, const QString& caption);

}  // namespace zt::app
