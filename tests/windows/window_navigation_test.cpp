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

constexpr int kRowHeight = 20;
constexpr int kRepeatMs = 150;

const char* ViewOf(ArchiveKind kind) { return kind == ArchiveKind::Time ? "sg_DateArc" : "sg_CurArc"; }

void ShowPage(app::TfZetl& main, ArchiveKind kind) {
  main.findChild<QTabWidget*>("TN_SelectArc")->setCurrentIndex(kind == ArchiveKind::Time ? 0 : 1);
}

ArchiveKind OtherKind(ArchiveKind kind) { return kind == ArchiveKind::Time ? ArchiveKind::Operational : ArchiveKind::Time; }

QString KindName(ArchiveKind kind) { return kind == ArchiveKind::Time ? "Временной архив" : "Оперативный архив"; }

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
  std::size_t RowCount(ArchiveKind kind) const { return TableOf(expected.tables, kind).RowCount(); }
  std::size_t NewestRow(ArchiveKind kind) const { return std::size_t{expected.image.LastIndex(kind)} + 1; }
};

}  // namespace

class WindowNavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void ButtonsAndKeysMoveTheCurrentRow_data() {
    QTest::addColumn<ArchiveKind>("kind");
    QTest::newRow("Временной архив") << ArchiveKind::Time;
    QTest::newRow("Оперативный архив") << ArchiveKind::Operational;
  }
  void ButtonsAndKeysMoveTheCurrentRow() {
    QFETCH(ArchiveKind, kind);
    OpenedSample s;
    QVERIFY(s.p.program.Start());
    const std::size_t last = s.RowCount(kind) - 1;
    const std::size_t newest = s.NewestRow(kind);
    QCOMPARE(last, std::size_t{kind == ArchiveKind::Time ? 2048u : 1536u});
    // A newest record in the middle of the table tells bCurr from bFirst and bLast.
    QVERIFY(newest > 2 && newest < last);
    const ArchiveKind other = OtherKind(kind);

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
      for (const ArchiveKind kind : {ArchiveKind::Time, ArchiveKind::Operational}) {
        ShowPage(p.Main(), kind);
        const std::size_t last = kind == ArchiveKind::Time ? 2048 : 1536;
        Click(p.Main(), "bLast");
        driver.Check(p.Main().CurrentRow(kind) == last, "bLast on " + KindName(kind));
        Click(p.Main(), "bFirst");
        driver.Check(p.Main().CurrentRow(kind) == 1, "bFirst on " + KindName(kind));
        Click(p.Main(), "bLast");
        Click(p.Main(), "bCurr");
        driver.Check(p.Main().CurrentRow(kind) == 1, "bCurr on " + KindName(kind));
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
    constexpr ArchiveKind kKind = ArchiveKind::Operational;
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
