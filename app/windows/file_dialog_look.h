// Qt's own file dialog as the operator reads it: Russian throughout, wide
// enough for its list, each column as wide as its title and what it shows.
#pragma once

#include <QFileDialog>

namespace zt::app {

// Before the dialog is shown.
void LookRussianWithWholeColumns(QFileDialog& dialog);

}  // namespace zt::app
