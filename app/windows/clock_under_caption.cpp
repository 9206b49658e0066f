#include "app/windows/clock_under_caption.h"

#include <QFontMetricsF>
#include <cmath>
#include <limits>

namespace zt::app {

namespace {

const QString kDatePart = QStringLiteral("00.00.0000");
const QString kTimePart = QStringLiteral("00:00:00");

struct Centres {
  double first;
  double second;
};

// The centres of two pieces of a line: the one starting at firstAt and the one at secondAt.
Centres CentresOf(const QFontMetricsF& metrics, const QString& line, qsizetype firstAt, const QString& first,
                  qsizetype secondAt, const QString& second) {
  return {metrics.horizontalAdvance(line.left(firstAt)) + metrics.horizontalAdvance(first) / 2,
          metrics.horizontalAdvance(line.left(secondAt)) + metrics.horizontalAdvance(second) / 2};
}

Centres ClockCentres(const QFont& font) {
  const QString line = kDatePart + QLatin1Char(' ') + kTimePart;
  return CentresOf(QFontMetricsF(font), line, 0, kDatePart, kDatePart.size() + 1, kTimePart);
}

}  // namespace

void FitClockUnderCaption(QLabel& caption, QLabel& clock) {
  const QString text = caption.text();
  const QString dateWord = QStringLiteral("дата");
  const QString timeWord = QStringLiteral("время");
  const Centres words = CentresOf(QFontMetricsF(caption.font()), text, text.indexOf(dateWord), dateWord,
                                  text.indexOf(timeWord), timeWord);
  QFont font = clock.font();
  QFont best = font;
  double bestMiss = std::numeric_limits<double>::max();
  for (int size = 6; size <= 40; ++size) {
    font.setPointSize(size);
    const Centres parts = ClockCentres(font);
    const double miss = std::abs((parts.second - parts.first) - (words.second - words.first));
    if (miss < bestMiss) {
      bestMiss = miss;
      best = font;
    }
  }
  clock.setFont(best);
  const int shift = static_cast<int>(std::lround(words.first - ClockCentres(best).first));
  clock.setIndent(shift > 0 ? shift : 0);
  caption.setIndent(shift < 0 ? -shift : 0);
}

}  // namespace zt::app
