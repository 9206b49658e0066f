#include "report/text_job_layout.h"

#include <algorithm>
#include <cmath>

namespace zt::report {

TextJobLayout::TextJobLayout(const SheetSize& sheet, int pageWidth, int pageHeight, int pitch, int charWidth)
    : pitch_(pitch), pageHeight_(pageHeight) {
  // A sheet takes lines-per-sheet pitches of height: its lines and the two-pitch rule of PageFull.
  const double sheetHeight = static_cast<double>(sheet.linesPerSheet) * pitch;
  const double sheetWidth = static_cast<double>(sheet.charsPerLine) * charWidth;
  double scale = 1;
  if (sheetHeight > pageHeight) scale = std::min(scale, pageHeight / sheetHeight);
  if (sheetWidth > pageWidth) scale = std::min(scale, pageWidth / sheetWidth);
  if (scale >= 1 || scale <= 0) return;
  scale_ = scale;
  // At least the sheet's height, whatever the rounding.
  pageHeight_ = std::max(static_cast<int>(sheetHeight), static_cast<int>(std::floor(pageHeight / scale)));
}

bool TextJobLayout::PlaceLine() {
  const bool newPage = !started_ || (sheetBreak_ && y_ > 0) || PageFull(y_, pitch_, pageHeight_);
  started_ = true;
  sheetBreak_ = false;
  if (newPage) y_ = 0;
  top_ = y_;
  y_ += pitch_;
  return newPage;
}

}  // namespace zt::report
