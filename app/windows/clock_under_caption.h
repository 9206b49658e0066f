// The main window's PC clock under its caption "дата … время": the caption's
// two words stand over the clock's date and time, whatever the fonts measure.
#pragma once

#include <QLabel>

namespace zt::app {

// Both labels left-aligned in one column, the caption holding its two words and
// the clock a text of the form "dd.MM.yyyy HH:mm:ss". The clock keeps its font's
// family and weight; its size is the one that spreads its two parts as far apart
// as the caption's words, and the label that starts further left is indented.
void FitClockUnderCaption(QLabel& caption, QLabel& clock);

}  // namespace zt::app
