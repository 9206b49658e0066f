// Where a text job's lines fall on its pages, one rule for every printer, so
// that each sheet the pagination cut is one printed page. On the printer the
// sheets were measured on they fit as they are, and a full sheet fills its
// page; on a page that holds fewer lines or characters (other paper, another
// printer or a file chosen in the print dialog) each sheet is drawn smaller.
#pragma once

namespace zt::report {

inline int LinePitch(int textHeight) { return textHeight + 2; }
inline bool PageFull(int y, int pitch, int pageHeight) { return y > pageHeight - 2 * pitch; }

// What a job's sheets were cut for: the pagination's lines per sheet and
// characters per line (0 when not known: nothing is scaled then).
struct SheetSize {
  int linesPerSheet = 0;
  int charsPerLine = 0;
};

class TextJobLayout {
 public:
  // The job's page, and the font's line pitch and average character width on
  // it, all in device units.
  TextJobLayout(const SheetSize& sheet, int pageWidth, int pageHeight, int pitch, int charWidth);

  // Device units per layout unit: 1, or less so that a whole sheet fits.
  double Scale() const { return scale_; }
  // The lines that follow are the next sheet: they begin a page of their own.
  void BeginSheet() { sheetBreak_ = true; }
  // Places the next line; true when it begins a page, the job's first one too.
  bool PlaceLine();
  // Where the line placed last begins, in layout units from its page's top.
  int LineTop() const { return top_; }

 private:
  double scale_ = 1;
  int pitch_;
  int pageHeight_;  // in layout units
  int y_ = 0;
  int top_ = 0;
  bool started_ = false;
  bool sheetBreak_ = false;
};

}  // namespace zt::report
