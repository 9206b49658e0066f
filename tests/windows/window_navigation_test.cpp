// Moving through both archive tables: the tool-bar buttons, the keys of the
// focused table, and the auto-repeat of a held ▼ / ▲ on the 150 ms timer.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "app/windows/tf_zetl.h"
#include "core/sample_image.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

constexpr int kTimeKind = 1;
constexpr int kRowHeight = 20;
constexpr int kRepeatMs = 150;

const char* ViewOf(int kind) { return kind == kTimeKind ? "sg_DateArc" : "sg_CurArc"; }

void ShowPage(app::TfZetl& main, int kind) { main.findChild<QTabWidget*>("TN_SelectArc")->setCurrentIndex(kind - 1); }

QToolButton* Button(app::TfZetl& main, const char* name) { return main.findChild<QToolButton*>(name); }

void Click(app::TfZetl& main, const char* name) { QTest::mouseClick(Button(main, name), Qt::LeftButton); }

// A sample file opened in an offline program.
struct OpenedSample {
  OfflineProgram p;
  ExpectedImage expected = DecodeForTest(GenerateSampleImage(6));

  void Open(ScenarioDriver& driver) {
    const auto file = p.folder.Files().ReportFolder() / "nav.zt";
    test::WriteBytes(file, expected.bytes);
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), file);
  }
  std::size_t RowCount(int kind) const {
    return (kind == kTimeKind ? expected.tables.time : expected.tables.operational).RowCount();
  }
  std::size_t NewestRow(int kind) const {
    return std::size_t{kind == kTimeKind ? expected.image.lastTimeIndex : expected.image.lastOperIndex} + 1;
  }
};

}  // namespace

class WindowNavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void ButtonsAndKeysMoveTheCurrentRow_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("Временной архив") << 1;
    QTest::newRow("Оперативный архив") << 2;
  }
  void ButtonsAndKeysMoveTheCurrentRow() {
    QFETCH(int, kind);
    OpenedSample s;
    QVERIFY(s.p.program.Start());
    const std::size_t last = s.RowCount(kind) - 1;
    const std::size_t newest = s.NewestRow(kind);
    QCOMPARE(last, std::size_t{kind == kTimeKind ? 2048u : 1536u});
    // A newest record in the middle of the table tells bCurr from bFirst and bLast.
    QVERIFY(newest > 2 && newest < last);
    const int other = 3 - kind;

    ScenarioDriver driver;
    s.Open(driver);
    driver.Step("buttons", [] { return true; }, [&] {
      app::TfZetl& main = s.p.Main();
      ShowPage(main, kind);
      auto expect = [&](std::size_t row, const QString& what) {
        driver.Check(main.CurrentRow(kind) == row,
                     QStringLiteral("%1: row %2, want %3").arg(what).arg(main.CurrentRow(kind)).arg(row));
      };
      Click(main, "bLast");
      expect(last, "bLast");
      Click(main, "bNext");
      expect(last, "bNext on the last row");
      Click(main, "bPrev");
      expect(last - 1, "bPrev");
      Click(main, "bFirst");
      expect(1, "bFirst");
      Click(main, "bPrev");
      expect(1, "bPrev on row 1");
      Click(main, "bNext");
      expect(2, "bNext");
      Click(main, "bCurr");
      expect(newest, "bCurr");
      driver.Check(main.CurrentRow(other) == 1, "the other table's row stays");

      auto* view = main.findChild<QTableView*>(ViewOf(kind));
      view->setFocus();
      QTest::keyClick(view, Qt::Key_End);
      expect(last, "End");
      QTest::keyClick(view, Qt::Key_Down);
      expect(last, "Down on the last row");
      QTest::keyClick(view, Qt::Key_Home);
      expect(1, "Home");
      QTest::keyClick(view, Qt::Key_Up);
      expect(1, "Up on row 1");
      QTest::keyClick(view, Qt::Key_Down);
      expect(2, "Down");
      QTest::keyClick(view, Qt::Key_PageUp);
      expect(1, "Page Up near the top");
      QTest::keyClick(view, Qt::Key_Down);
      // One screen: as many rows as the viewport holds, the partly shown one counted.
      const int screen = view->viewport()->height() / kRowHeight;
      QTest::keyClick(view, Qt::Key_PageDown);
      const auto moved = static_cast<int>(main.CurrentRow(kind)) - 2;
      driver.Check(screen >= 2 && (moved == screen || moved == screen + 1),
                   QStringLiteral("Page Down moved %1 rows, the screen holds %2").arg(moved).arg(screen));
      driver.Check(main.CurrentRow(other) == 1, "keys leave the other table's row");
    });
    driver.StepExit([&] { return &s.p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // Only ditto marks: the buttons still move over the record rows; bCurr knows index 0.
  void TablesBeforeAnyLoad() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("buttons", [&] { return p.Main().isVisible() && InFront(p.Main()); }, [&] {
      for (const int kind : {1, 2}) {
        ShowPage(p.Main(), kind);
        const std::size_t last = kind == kTimeKind ? 2048 : 1536;
        Click(p.Main(), "bLast");
        driver.Check(p.Main().CurrentRow(kind) == last, QStringLiteral("bLast on page %1").arg(kind));
        Click(p.Main(), "bFirst");
        driver.Check(p.Main().CurrentRow(kind) == 1, QStringLiteral("bFirst on page %1").arg(kind));
        Click(p.Main(), "bLast");
        Click(p.Main(), "bCurr");
        driver.Check(p.Main().CurrentRow(kind) == 1, QStringLiteral("bCurr on page %1").arg(kind));
      }
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void HeldButtonRepeatsOnTheTimer_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("direction");
    QTest::newRow("bNext held") << "bNext" << "bFirst" << 1;
    QTest::newRow("bPrev held") << "bPrev" << "bLast" << -1;
  }
  void HeldButtonRepeatsOnTheTimer() {
    QFETCH(QString, button);
    QFETCH(QString, start);
    QFETCH(int, direction);
    OpenedSample s;
    QVERIFY(s.p.program.Start());
    constexpr int kKind = 2;
    const QByteArray name = button.toLatin1();
    auto row = [&] { return static_cast<long>(s.p.Main().CurrentRow(kKind)); };
    auto rowsMoved = [&](long from) { return (row() - from) * direction; };
    long pressedAt = 0;
    long releasedAt = 0;
    QElapsedTimer clock;

    ScenarioDriver driver;
    s.Open(driver);
    driver.Step("press", [] { return true; }, [&] {
      ShowPage(s.p.Main(), kKind);
      Click(s.p.Main(), start.toLatin1().constData());
      pressedAt = row();
      QTest::mousePress(Button(s.p.Main(), name.constData()), Qt::LeftButton);
      clock.start();
      driver.Check(row() == pressedAt, "the press alone does not move");
    });
    driver.Step("three timer steps", [&] { return rowsMoved(pressedAt) >= 3; }, [&] {
      // Three ticks of a 150 ms timer cannot come sooner (coarse timers may fire 5 % early).
      driver.Check(clock.elapsed() >= 3 * kRepeatMs * 9 / 10,
                   QStringLiteral("three steps after %1 ms").arg(clock.elapsed()));
      releasedAt = row();
      QTest::mouseRelease(Button(s.p.Main(), name.constData()), Qt::LeftButton);
      driver.Check(rowsMoved(releasedAt) == 1, "the click that ends the press moves one row");
      clock.restart();
    });
    driver.Step("timer stopped", [&] { return clock.elapsed() >= 4 * kRepeatMs; }, [&] {
      driver.Check(rowsMoved(releasedAt) == 1, QStringLiteral("moved %1 rows after the release").arg(rowsMoved(releasedAt)));
      releasedAt = row();
      QTest::mouseClick(Button(s.p.Main(), name.constData()), Qt::LeftButton);
      driver.Check(rowsMoved(releasedAt) == 1, "a short click moves one row");
      clock.restart();
    });
    driver.Step("short click done", [&] { return clock.elapsed() >= 4 * kRepeatMs; }, [&] {
      driver.Check(rowsMoved(releasedAt) == 1, QStringLiteral("a short click moved %1 rows").arg(rowsMoved(releasedAt)));
    });
    driver.StepExit([&] { return &s.p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowNavigationTest)

#include "window_navigation_test.moc"
