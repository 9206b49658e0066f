// Push buttons that Enter does not press (the windows take Enter themselves), and their row.
#pragma once

#include <QHBoxLayout>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace zt::app {

QPushButton* PlainButton(QWidget* parent, const char* name, const QString& caption);

// The buttons side by side, centred in their row.
QHBoxLayout* CentredRow(std::initializer_list<QPushButton*> buttons);

}  // namespace zt::app
