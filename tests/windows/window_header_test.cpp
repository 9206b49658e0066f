// The main window's header as drawn: every value box one line high, the
// clock's two parts under the two words of its caption.
#include <QImage>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <array>
#include <optional>

#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

struct Span {
  int left;
  int right;
  int Centre() const { return (left + right) / 2; }
  bool Holds(int x) const { return left <= x && x <= right; }
};

// The columns of the label's drawing that hold ink, as two spans split at the
// widest gap: the two words of a caption, the date and the time of the clock.
// In the label's parent's coordinates.
std::optional<std::array<Span, 2>> TwoInkSpans(QLabel& label) {
  const QImage image = label.grab().toImage();
  const QRgb background = image.pixel(0, 0);
  std::vector<int> inked;
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y) {
      const QRgb p = image.pixel(x, y);
      if (std::abs(qRed(p) - qRed(background)) + std::abs(qGreen(p) - qGreen(background)) +
              std::abs(qBlue(p) - qBlue(background)) > 120) {
        inked.push_back(x);
        break;
      }
    }
  if (inked.size() < 2) return std::nullopt;
  std::size_t split = 1;
  for (std::size_t i = 1; i < inked.size(); ++i)
    if (inked[i] - inked[i - 1] > inked[split] - inked[split - 1]) split = i;
  const int at = label.geometry().left();
  return std::array<Span, 2>{Span{at + inked.front(), at + inked[split - 1]}, Span{at + inked[split], at + inked.back()}};
}

}  // namespace

class WindowHeaderTest : public QObject {
  Q_OBJECT

 private slots:
  void ValuesOneLineHighAndTheClockUnderItsCaption() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    app::TfZetl& main = p.Main();
    ScenarioDriver driver;
    StepCancelSearch(driver);
    // The clock shows the PC's time once it has ticked.
    driver.Step("the clock ticking", [&] {
      return InFront(main) && main.findChild<QLabel*>("stDateTime")->text().count(QLatin1Char(':')) == 2;
    }, [&] {
      SaveScreenshot(main, "main_window_header");
      const int lineHigh = main.findChild<QLabel*>("stSerNum_ZT")->height();
      for (const char* name : {"stQuanSens", "stVers_ZT", "stFactory", "stTube", "stMeter", "stDate"}) {
        const int high = main.findChild<QLabel*>(name)->height();
        driver.Check(high == lineHigh, QStringLiteral("%1 %2 high, stSerNum_ZT %3").arg(name).arg(high).arg(lineHigh));
      }
      QLabel* caption = nullptr;
      for (QLabel* label : main.findChildren<QLabel*>())
        if (label->text().trimmed().startsWith(QStringLiteral("дата"))) caption = label;
      driver.Check(caption != nullptr, "the clock's caption");
      if (!caption) return;
      const auto words = TwoInkSpans(*caption);
      const auto parts = TwoInkSpans(*main.findChild<QLabel*>("stDateTime"));
      driver.Check(words && parts, "both drawn");
      if (!words || !parts) return;
      const QString at = QStringLiteral("words at %1..%2, %3..%4; clock at %5..%6, %7..%8")
                             .arg((*words)[0].left).arg((*words)[0].right).arg((*words)[1].left).arg((*words)[1].right)
                             .arg((*parts)[0].left).arg((*parts)[0].right).arg((*parts)[1].left).arg((*parts)[1].right);
      driver.Check((*parts)[0].Holds((*words)[0].Centre()), "\"дата\" over the date: " + at);
      driver.Check((*parts)[1].Holds((*words)[1].Centre()), "\"время\" over the time: " + at);
      driver.Check((*words)[0].right < (*parts)[1].left && (*words)[1].left > (*parts)[0].right,
                   "each word clear of the other part: " + at);
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowHeaderTest)

#include "window_header_test.moc"
