// The record detail window: a right click on the operational-archive table
// shows the current row in words, whole and without a scroll bar, without
// moving it; a key released in the text closes it; the time-archive table
// opens nothing.
#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include "app/shell/record_detail.h"
#include "app/windows/text_codec.h"
#include "app/windows/tf_help_gr.h"
#include "app/windows/tf_zetl.h"
#include "core/sample_image.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

constexpr ArchiveKind kOperKind = ArchiveKind::Operational;

// The first record row whose cell in the column is not the ditto mark, or whose
// date is (column = date with want = false).
std::size_t FindRow(const ArchiveTable& table, std::size_t column, bool filled) {
  for (std::size_t row = 2; row + 1 < table.RowCount(); ++row)
    if ((table.Cell(column, row) != kDitto) == filled) return row;
  return 0;
}

// The lines, sizes and colours of the window against the line builder's.
void CheckLines(ScenarioDriver& driver, const app::TfHelpGr& window, const ArchiveTable& table, std::size_t row) {
  const std::vector<shell::StyledLine> want = shell::RecordDetailLines(table, kOperKind, row);
  const QTextDocument* doc = window.EditHelp()->document();
  driver.Check(static_cast<std::size_t>(doc->blockCount()) == want.size(),
               QStringLiteral("%1 lines, want %2").arg(doc->blockCount()).arg(want.size()));
  QTextBlock block = doc->begin();
  for (std::size_t i = 0; i < want.size() && block.isValid(); ++i, block = block.next()) {
    const QString line = QStringLiteral("line %1 ").arg(i + 1);
    driver.Check(block.text() == app::FromCp1251(want[i].text), line + "text: " + block.text());
    driver.Check(block.charFormat().font().pointSize() == want[i].pointSize, line + "size");
    driver.Check(block.charFormat().font().family() == QStringLiteral("Courier New"), line + "font");
    if (const auto rgb = shell::FixedColour(want[i].colour))
      driver.Check(block.charFormat().foreground().color() == QColor(rgb->red, rgb->green, rgb->blue), line + "colour");
  }
}

// A right click on the row's cell, deferred: the window it opens runs its own modal loop.
void RightClickLater(QTableView* view, std::size_t tableRow) {
  const QRect cell = view->visualRect(view->model()->index(static_cast<int>(tableRow) - 1, 0));
  QTimer::singleShot(0, view, [view, at = cell.center()] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at); });
}

// Every line with text inside the box, and no scroll bar: the text fits, and
// the empty lines that end every content call for none.
void CheckShownWhole(ScenarioDriver& driver, const app::TfHelpGr& window) {
  const QTextEdit& box = *window.EditHelp();
  driver.Check(!box.verticalScrollBar()->isVisible(), "no vertical scroll bar");
  driver.Check(!box.horizontalScrollBar()->isVisible(), "no horizontal scroll bar");
  for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
    if (block.text().isEmpty()) continue;
    QTextCursor end(block);
    end.movePosition(QTextCursor::EndOfBlock);
    const QRect drawn = box.cursorRect(end).united(box.cursorRect(QTextCursor(block)));
    driver.Check(box.viewport()->rect().contains(drawn), "line shown whole: " + block.text());
  }
}

}  // namespace

class WindowDetailTest : public QObject {
  Q_OBJECT

 private slots:
  // Which row is current, which one is clicked.
  void RightClickShowsTheCurrentRecord_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("clickedOffset");
    QTest::addColumn<bool>("closeByClick");
    QTest::newRow("clock correction, clicked on itself")
        << static_cast<int>(oper_col::kClockCorrection) << true << 0 << false;
    QTest::newRow("control, clicked on the row above") << static_cast<int>(oper_col::kControl) << true << -1 << true;
    QTest::newRow("no record, clicked on the row below") << static_cast<int>(oper_col::kDate) << false << 1 << false;
  }
  void RightClickShowsTheCurrentRecord() {
    QFETCH(int, column);
    QFETCH(bool, filled);
    QFETCH(int, clickedOffset);
    QFETCH(bool, closeByClick);
    OfflineProgram p;
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(8));
    const ArchiveTable& table = expected.tables.operational;
    const std::size_t row = FindRow(table, static_cast<std::size_t>(column), filled);
    QVERIFY2(row != 0, "the sample holds such a row");
    const auto file = p.folder.Files().ReportFolder() / "detail.zt";
    test::WriteBytes(file, expected.bytes);
    QVERIFY(p.program.Start());
    auto view = [&] { return p.Main().findChild<QTableView*>("sg_CurArc"); };

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), file);
    driver.Step("right click", [] { return true; }, [&] {
      p.Main().findChild<QTabWidget*>("TN_SelectArc")->setCurrentIndex(1);
      p.Main().SelectRow(kOperKind, row);
      view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
      RightClickLater(view(), static_cast<std::size_t>(static_cast<long>(row) + clickedOffset));
    });
    driver.Step("detail window", [] { return Modal<app::TfHelpGr>() != nullptr; }, [&] {
      app::TfHelpGr& detail = *Modal<app::TfHelpGr>();
      driver.Check(detail.windowTitle() == QStringLiteral("ПОДСКАЗКА"), "title");
      CheckLines(driver, detail, table, row);
      if (filled) {
        // The control and clock-correction lines as the table's cells give them.
        const QStringList lines = detail.EditHelp()->toPlainText().split('\n');
        auto orDitto = [](const std::string& cell, const QString& prefix) {
          return cell == kDitto ? app::FromCp1251(kDitto) : prefix + app::FromCp1251(cell);
        };
        driver.Check(lines.value(8) == orDitto(table.Cell(oper_col::kControl, row), QStringLiteral("номер контроля: ")),
                     "control line: " + lines.value(8));
        driver.Check(lines.value(10) == orDitto(table.Cell(oper_col::kClockCorrection, row),
                                                QStringLiteral("записанное новое время: ")),
                     "clock line: " + lines.value(10));
      } else {
        const QStringList lines = detail.EditHelp()->toPlainText().split('\n');
        driver.Check(lines.value(3).trimmed() == QStringLiteral("ИНФОРМАЦИИ НЕТ!!!"), "no-information line");
      }
      driver.Check(p.Main().CurrentRow(kOperKind) == row, "the right click did not move the row");
      CheckShownWhole(driver, detail);
      SaveScreenshot(detail, QStringLiteral("detail_window_%1").arg(column));
      if (closeByClick) QTest::mouseClick(detail.EditHelp()->viewport(), Qt::LeftButton);
      else QTest::keyRelease(detail.EditHelp(), Qt::Key_Space);
    });
    driver.Step("closed", [&] { return InFront(p.Main()); }, [&] {
      driver.Check(p.Main().CurrentRow(kOperKind) == row, "the row stays after closing");
      driver.Check(p.Start().Dispatcher().Shown(app::WindowKind::RecordDetail) == nullptr, "the window is gone");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void RightClickOnTheTimeArchiveOpensNothing() {
    OfflineProgram p;
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(8));
    const auto file = p.folder.Files().ReportFolder() / "detail.zt";
    test::WriteBytes(file, expected.bytes);
    QVERIFY(p.program.Start());
    constexpr std::size_t kRow = 5;
    auto view = [&] { return p.Main().findChild<QTableView*>("sg_DateArc"); };

    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, p.Main(), file);
    driver.Step("right click", [] { return true; }, [&] {
      p.Main().SelectRow(ArchiveKind::Time, kRow);
      RightClickLater(view(), kRow + 2);
    });
    // Anything opened by the click would now be the modal window on top.
    driver.Step("after the click", [] { return true; }, [] {});
    driver.Step("nothing opened", [] { return true; }, [&] {
      driver.Check(InFront(p.Main()), "the main window stays in front");
      driver.Check(p.Main().CurrentRow(ArchiveKind::Time) == kRow, "the row did not move");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowDetailTest)

#include "window_detail_test.moc"
