// The frame of every window as its description gives it (no title bar, a
// title bar without buttons, only a close box), centred where it says so,
// each window standing over the window in front when it opened, and what a window manager offers beyond
// that (openbox keeps every title-bar button): closing the main window or
// minimising it keeps the data shown and the program usable.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include "app/windows/t_about_form.h"
#include "app/windows/t_editor_adr_m.h"
#include "app/windows/t_page_print.h"
#include "app/windows/t_print_ku.h"
#include "app/windows/t_splash_form.h"
#include "app/windows/t_wait_pr.h"
#include "app/windows/tf_edit_zt.h"
#include "app/windows/tf_help_gr.h"
#include "app/windows/tf_pass.h"
#include "app/windows/tf_rd_zt.h"
#include "app/windows/tf_sel_rs.h"
#include "app/windows/tf_wr_prog_par.h"
#include "core/sample_image.h"
#include "tests/windows/device_steps.h"
#include "tests/windows/report_steps.h"

using namespace zt;
using namespace zt::wintest;

namespace {

// Any: a dialog of Qt's, whose frame is Qt's.
enum class Frame { None, TitleOnly, CloseOnly, Any };

constexpr Qt::WindowFlags kButtons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                     Qt::WindowContextHelpButtonHint;

// Empty when the flags give the frame.
QString FrameFault(Qt::WindowFlags flags, Frame frame) {
  const bool frameless = flags.testFlag(Qt::FramelessWindowHint);
  switch (frame) {
    case Frame::Any: return {};
    case Frame::None: return frameless ? QString() : QStringLiteral("has a frame");
    case Frame::TitleOnly:
      if (frameless || !flags.testFlag(Qt::CustomizeWindowHint) || !flags.testFlag(Qt::WindowTitleHint))
        return QStringLiteral("no title bar of its own");
      if (flags & (kButtons | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)) return QStringLiteral("has buttons");
      return {};
    case Frame::CloseOnly:
      if (frameless || !flags.testFlag(Qt::CustomizeWindowHint) || !flags.testFlag(Qt::WindowTitleHint))
        return QStringLiteral("no title bar of its own");
      if (!flags.testFlag(Qt::WindowCloseButtonHint)) return QStringLiteral("no close box");
      if (flags & kButtons) return QStringLiteral("has more buttons than the close box");
      return {};
  }
  return QStringLiteral("unknown frame");
}

struct Expected {
  Frame frame;
  // The class of the window it must stand over; empty: not a window of the dispatcher's.
  QStringList over;
  bool maximised = false;
  // Centred on the screen, as its frame stands there.
  bool centred = false;
};

// Empty when the window's frame stands in the middle of the screen, within the
// pixel that halving an odd size gives.
QString PlaceFault(const QWidget& window) {
  const QPoint off = window.frameGeometry().center() - window.screen()->availableGeometry().center();
  if (off.manhattanLength() <= 2) return {};
  return QStringLiteral("off the centre by %1, %2").arg(off.x()).arg(off.y());
}

// Every window of the program as it is shown: its frame and the window the
// window manager is told it belongs to.
class FrameWatcher final : public QObject {
 public:
  FrameWatcher(ScenarioDriver& driver, QMap<QString, Expected> expected)
      : driver_(driver), expected_(std::move(expected)) {
    QCoreApplication::instance()->installEventFilter(this);
  }

  void CheckAllSeen() {
    for (auto it = expected_.cbegin(); it != expected_.cend(); ++it)
      driver_.Check(seen_.contains(it.key()), it.key() + " was never shown");
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
      // Once the showing is done and the window's modal loop runs.
      QPointer<QWidget> window = static_cast<QWidget*>(watched);
      QTimer::singleShot(0, this, [this, window] {
        if (window) Look(*window);
      });
    }
    return false;
  }

 private:
  static QString ClassOf(const QWindow* window) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->windowHandle() && w->windowHandle() == window) return QString::fromLatin1(w->metaObject()->className());
    return window ? QStringLiteral("a window of no widget") : QStringLiteral("nothing");
  }

  void Look(QWidget& window) {
    const QString cls = QString::fromLatin1(window.metaObject()->className());
    const auto it = expected_.constFind(cls);
    if (it == expected_.cend() || !window.windowHandle()) return;
    seen_.insert(cls);
    const QString fault = FrameFault(window.windowFlags(), it->frame);
    driver_.Check(fault.isEmpty(), cls + ": " + fault);
    driver_.Check(!it->maximised || window.windowState().testFlag(Qt::WindowMaximized), cls + " opened maximised");
    if (it->centred) driver_.Check(PlaceFault(window).isEmpty(), cls + ": " + PlaceFault(window));
    if (it->over.isEmpty()) return;
    const QString over = ClassOf(window.windowHandle()->transientParent());
    driver_.Check(it->over.contains(over), cls + " stands over " + over);
  }

  ScenarioDriver& driver_;
  QMap<QString, Expected> expected_;
  QSet<QString> seen_;
};

const QStringList kOverMain{QStringLiteral("zt::app::TfZetl")};
const QStringList kOverReport{QStringLiteral("zt::app::TPrint_ku")};

// A data file shown in the main window, the search cancelled.
struct ShownFile {
  ShownFile() {
    test::WriteBytes(file, expected.bytes);
  }
  OfflineProgram p;
  ExpectedImage expected = DecodeForTest(GenerateSampleImage(5));
  std::filesystem::path file = p.folder.Files().ReportFolder() / "shown.zt";
};

// What a window manager may do that the windows have no button for.
enum class WmAction { CloseMain, MinimiseMain, UnmaximiseMain, CloseStart, MinimiseStart };

}  // namespace

Q_DECLARE_METATYPE(WmAction)

class WindowFramesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheSplashHasNoFrameAndIsCentred() {
    app::TSplashForm splash;
    QVERIFY2(FrameFault(splash.windowFlags(), Frame::None).isEmpty(), "the splash has a frame");
    QVERIFY2(PlaceFault(splash).isEmpty(), qPrintable("the splash: " + PlaceFault(splash)));
  }

  void WindowsOfFilesAndReportsHaveTheirFramesAndPlaces() {
    ShownFile s;
    QVERIFY(s.p.program.Start());
    app::TfZetl& main = s.p.Main();
    ScenarioDriver driver;
    FrameWatcher watcher(driver, {
        {"zt::app::TfSel_RS", {Frame::None, {"zt::app::TfMen_ZT"}, false, true}},
        {"zt::app::TfZetl", {Frame::TitleOnly, {}, true}},
        {"QFileDialog", {Frame::Any, kOverMain}},
        {"zt::app::TZagrFile", {Frame::TitleOnly, kOverMain, false, true}},
        {"zt::app::TAboutForm", {Frame::None, kOverMain + kOverReport, false, true}},
        {"zt::app::TfHelpGr", {Frame::None, kOverMain, false, true}},
        {"zt::app::TEditorAdrM", {Frame::TitleOnly, kOverMain, false, true}},
        {"zt::app::TPrint_ku", {Frame::TitleOnly, kOverMain, true}},
        {"zt::app::TPagePrint", {Frame::CloseOnly, kOverReport, false, true}},
        {"zt::app::TWaitPr", {Frame::None, kOverReport, false, true}},
    });
    StepCancelSearch(driver);
    driver.Step("start window", [&] { return InFront(main); }, [&] {
      const QString fault = FrameFault(s.p.Start().windowFlags(), Frame::CloseOnly);
      driver.Check(fault.isEmpty(), "start window: " + fault);
      driver.Check(PlaceFault(s.p.Start()).isEmpty(), "start window: " + PlaceFault(s.p.Start()));
      driver.Check(s.p.Start().frameGeometry().size() == QSize(345, 115), "start window: 345 × 115 with its frame");
    });
    OpenFile(driver, main, s.file);
    driver.Step("О ПРОГРАММЕ", [&] { return InFront(main); },
                [&] { QTimer::singleShot(0, main.findChild<QAction*>("mZT_Help"), &QAction::trigger); });
    driver.Step("About", [] { return Modal<app::TAboutForm>() != nullptr; },
                [] { Modal<app::TAboutForm>()->findChild<QPushButton*>("OKButton")->click(); });
    driver.Step("right click", [&] { return InFront(main); }, [&] {
      main.findChild<QTabWidget*>("TN_SelectArc")->setCurrentIndex(1);
      auto* view = main.findChild<QTableView*>("sg_CurArc");
      QTimer::singleShot(0, view, [view] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(60, 10)); });
    });
    driver.Step("detail", [] { return Modal<app::TfHelpGr>() != nullptr; },
                [] { QTest::mouseClick(Modal<app::TfHelpGr>()->EditHelp()->viewport(), Qt::LeftButton); });
    driver.Step("РЕДАКТОР ФИО", [&] { return InFront(main); },
                [&] { QTimer::singleShot(0, s.p.Start().findChild<QAction*>("N1"), &QAction::trigger); });
    driver.Step("editor", [] { return Modal<app::TEditorAdrM>() != nullptr; },
                [] { Modal<app::TEditorAdrM>()->findChild<QPushButton*>("BitBtn2")->click(); });
    StepOpenReportWindow(driver, main);
    StepReportMenu(driver, "prnSetupRep");
    driver.Step("page settings", [] { return Modal<app::TPagePrint>() != nullptr; },
                [] { Modal<app::TPagePrint>()->findChild<QAction*>("N2")->trigger(); });
    StepReportCommand(driver, "prnView");
    StepReportMenu(driver, "mRep_Help");
    driver.Step("About over the report window", [] { return Modal<app::TAboutForm>() != nullptr; },
                [] { Modal<app::TAboutForm>()->findChild<QPushButton*>("OKButton")->click(); });
    StepReportMenu(driver, "N8");
    driver.Step("all seen", [&] { return InFront(main); }, [&] { watcher.CheckAllSeen(); });
    driver.StepExit([&] { return &s.p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void WindowsOfTheRecorderHaveTheirFramesAndPlaces() {
    RecorderProgram p(GenerateSampleImage(6));
    QVERIFY(p.Start());
    app::TfZetl& main = p.Main();
    ScenarioDriver driver;
    FrameWatcher watcher(driver, {
        {"zt::app::TfPass", {Frame::None, kOverMain, false, true}},
        {"zt::app::TfRd_ZT", {Frame::TitleOnly, kOverMain}},
        {"zt::app::TZagrFile", {Frame::TitleOnly, kOverMain, false, true}},
        {"zt::app::TfEdit_ZT", {Frame::None, kOverMain, false, true}},
        {"zt::app::TfWrProgPar", {Frame::CloseOnly, kOverMain}},
    });
    ReadRecorder(driver, main);
    Command(driver, main, "mZT_Write");
    EnterPassword(driver, "1234");
    driver.Step("parameter editor", [] { return Modal<app::TfEdit_ZT>() != nullptr; },
                [] { Modal<app::TfEdit_ZT>()->findChild<QPushButton*>("Yes")->click(); });
    driver.Step("writing window", [] { return Modal<app::TfWrProgPar>() != nullptr; }, [] {});
    driver.Step("written", [&] { return !driver.Messages().isEmpty() && InFront(main); },
                [&] { watcher.CheckAllSeen(); });
    driver.StepExit([&] { return p.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void WhatTheWindowManagerOffersKeepsTheDataShown_data() {
    QTest::addColumn<WmAction>("action");
    QTest::newRow("the main window closed") << WmAction::CloseMain;
    QTest::newRow("the main window minimised") << WmAction::MinimiseMain;
    QTest::newRow("the main window restored from maximised") << WmAction::UnmaximiseMain;
    QTest::newRow("the start window closed") << WmAction::CloseStart;
    QTest::newRow("the start window minimised") << WmAction::MinimiseStart;
  }
  void WhatTheWindowManagerOffersKeepsTheDataShown() {
    QFETCH(WmAction, action);
    ShownFile s;
    QVERIFY(s.p.program.Start());
    app::TfZetl& main = s.p.Main();
    QWidget& start = s.p.Start();
    ScenarioDriver driver;
    StepCancelSearch(driver);
    OpenFile(driver, main, s.file);
    // As the window manager does it: through the platform window, not the widget.
    driver.Step("the window manager's action", [] { return true; }, [&] {
      switch (action) {
        case WmAction::CloseMain: main.windowHandle()->close(); break;
        case WmAction::MinimiseMain: main.windowHandle()->setWindowStates(Qt::WindowMinimized); break;
        case WmAction::UnmaximiseMain: main.windowHandle()->setWindowStates(Qt::WindowNoState); break;
        case WmAction::CloseStart: start.windowHandle()->close(); break;
        case WmAction::MinimiseStart: start.windowHandle()->setWindowStates(Qt::WindowMinimized); break;
      }
    });
    driver.Step("as it was", [&] {
      return !main.windowState().testFlag(Qt::WindowMinimized) && !start.windowState().testFlag(Qt::WindowMinimized) &&
             main.windowState().testFlag(Qt::WindowMaximized);
    }, [&] {
      driver.Check(main.isVisible() && InFront(main), "the main window in front");
      driver.Check(start.isVisible(), "the start window still there");
      CheckShown(driver, main, s.expected);
    });
    // The program goes on: a command of the main window still opens its window.
    driver.Step("О ПРОГРАММЕ", [&] { return InFront(main); },
                [&] { QTimer::singleShot(0, main.findChild<QAction*>("mZT_Help"), &QAction::trigger); });
    driver.Step("About", [] { return Modal<app::TAboutForm>() != nullptr; },
                [] { Modal<app::TAboutForm>()->findChild<QPushButton*>("OKButton")->click(); });
    driver.Step("back", [&] { return InFront(main); }, [] {});
    driver.StepExit([&] { return &s.p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowFramesTest)

#include "window_frames_test.moc"
