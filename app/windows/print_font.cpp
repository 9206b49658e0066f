#include "app/windows/print_font.h"

#include <QFontInfo>
#include <QStringList>
#include <algorithm>

#include "app/windows/text_codec.h"

namespace zt::app {

namespace {

// The faces tried, in order, for a report font that is not installed.
constexpr const char* kReportFontSubstitutes[] = {"Liberation Mono", "DejaVu Sans Mono"};

}  // namespace

QFont ReportQFont(const report::PrinterFont& font) {
  const QString family = FromCp1251(font.name);
  QStringList substitutes;
  for (const char* face : kReportFontSubstitutes) substitutes << QString::fromLatin1(face);
  // Qt keeps one list per family and does not repeat a name.
  QFont::insertSubstitutions(family, substitutes);
  QFont qfont(family);
  qfont.setStyleHint(QFont::TypeWriter);
  qfont.setFixedPitch(true);
  qfont.setPointSize(std::max(1, font.size));
  return qfont;
}

QFont PrintedReportQFont(const report::PrinterFont& font) {
  const QFontInfo face(ReportQFont(font));
  QFont printed(face.family());
  // Without it the dialog starts on the face's first style, bold italic.
  printed.setStyleName(face.styleName());
  printed.setPointSize(std::max(1, font.size));
  return printed;
}

report::PrinterFont ReportFontOf(const QFont& chosen, const report::PrinterFont& stored) {
  const bool sameFace = chosen.family() == PrintedReportQFont(stored).family();
  return {sameFace ? stored.name : ToCp1251(chosen.family()), std::max(1, chosen.pointSize())};
}

}  // namespace zt::app
