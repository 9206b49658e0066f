// Every control a window shows has an accessible name: the main window, the
// device search, the load window, the record detail, the operator editor and
// About, each checked while it is on screen.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

#include "app/windows/t_about_form.h"
#include "app/windows/t_editor_adr_m.h"
#include "app/windows/tf_help_gr.h"
#include "app/windows/tf_sel_rs.h"
#include "core/sample_image.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

bool IsControl(const QWidget* w) {
  if (qobject_cast<const QLabel*>(w)) return !w->objectName().isEmpty();  // captions without a name speak their text
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
         qobject_cast<const QProgressBar*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QMenuBar*>(w) ||
         qobject_cast<const QTabWidget*>(w);
}

// Parts Qt builds inside its own widgets: headers, corner buttons, tab bars,
// extension buttons. Their names are Qt's business; the pages of a notebook,
// held in Qt's own stack, are not.
bool QtInternal(const QWidget* w, const QWidget* window) {
  if (qobject_cast<const QHeaderView*>(w)) return true;
  for (const QWidget* at = w; at && at != window; at = at->parentWidget()) {
    if (at->objectName().startsWith(QStringLiteral("qt_")) && !qobject_cast<const QStackedWidget*>(at)) return true;
    if (at != w && (qobject_cast<const QAbstractItemView*>(at) || qobject_cast<const QComboBox*>(at))) return true;
  }
  return false;
}

QStringList Unnamed(const QWidget& window) {
  QStringList unnamed;
  if (window.accessibleName().isEmpty()) unnamed << QStringLiteral("the window %1").arg(window.objectName());
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisible() || !IsControl(w) || QtInternal(w, &window) || !w->accessibleName().isEmpty()) continue;
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    const auto* label = qobject_cast<const QLabel*>(w);
    unnamed << QStringLiteral("%1 %2 \"%3\"")
                   .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                        button ? button->text() : label ? label->text() : QString());
  }
  return unnamed;
}

void CheckNamed(ScenarioDriver& driver, const QWidget& window, const QString& which) {
  const QStringList unnamed = Unnamed(window);
  driver.Check(unnamed.isEmpty(), which + " controls without an accessible name: " + unnamed.join(", "));
}

}  // namespace

class WindowAccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void SearchWindowWhileSearchingAndWhenNothingWasFound() {
    ProgramFolder folder;
    folder.WriteWorkFile("Q_RS.000", "3\r\n");
    app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});
    QVERIFY(program.Start());
    auto search = [] { return Modal<app::TfSel_RS>(); };
    ScenarioDriver driver;
    driver.Step("searching", [&] { return search() != nullptr; }, [&] { CheckNamed(driver, *search(), "search"); });
    driver.Step("not found", [&] { return search() && search()->findChild<QPushButton*>("BitBtn_Repet")->isVisible(); },
                [&] {
                  CheckNamed(driver, *search(), "search, not found");
                  search()->findChild<QPushButton*>("BitBtn_No")->click();
                });
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void MainLoadDetailAndAboutWindows() {
    OfflineProgram p;
    const auto file = p.folder.Files().ReportFolder() / "named.zt";
    test::WriteBytes(file, GenerateSampleImage(2));
    QVERIFY(p.program.Start());
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("main window", [&] { return p.Main().isVisible() && InFront(p.Main()); }, [&] {
      CheckNamed(driver, p.Main(), "main");
      // The service staff's switch, then the log it shows.
      QTest::keyClick(&p.Main(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
      auto* debug = p.Main().findChild<QAbstractButton*>("ChDebZT");
      driver.Check(debug->isVisible(), "Ctrl+Shift+D shows the debug switch");
      debug->click();
      driver.Check(p.Main().findChild<QPlainTextEdit*>("mDeb")->isVisible(), "the log shown");
      CheckNamed(driver, p.Main(), "main with the log");
      debug->click();
    });
    OpenFile(driver, p.Main(), file, [&](app::TZagrFile& load) { CheckNamed(driver, load, "load"); });
    driver.Step("operational page, detail", [] { return true; }, [&] {
      p.Main().findChild<QTabWidget*>("TN_SelectArc")->setCurrentIndex(1);
      CheckNamed(driver, p.Main(), "main with data");
      auto* view = p.Main().findChild<QTableView*>("sg_CurArc");
      const QPoint at = view->visualRect(view->currentIndex()).center();
      QTimer::singleShot(0, view, [view, at] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at); });
    });
    driver.Step("detail", [] { return Modal<app::TfHelpGr>() != nullptr; }, [&] {
      CheckNamed(driver, *Modal<app::TfHelpGr>(), "detail");
      Modal<app::TfHelpGr>()->accept();
    });
    driver.Step("About", [&] { return InFront(p.Main()); },
                [&] { QTimer::singleShot(0, p.Main().findChild<QAction*>("mZT_Help"), &QAction::trigger); });
    driver.Step("About shown", [] { return Modal<app::TAboutForm>() != nullptr; }, [&] {
      CheckNamed(driver, *Modal<app::TAboutForm>(), "About");
      Modal<app::TAboutForm>()->accept();
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void StartWindowAndOperatorEditor() {
    OfflineProgram p;
    QVERIFY(p.program.Start());
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("main window", [&] { return p.Main().isVisible() && InFront(p.Main()); }, [&] { p.Main().reject(); });
    driver.Step("start window", [&] { return !p.Main().isVisible() && QApplication::activeModalWidget() == nullptr; }, [&] {
      CheckNamed(driver, p.Start(), "start");
      QTimer::singleShot(0, p.Start().findChild<QAction*>("N1"), &QAction::trigger);
    });
    driver.Step("editor", [] {
      return Modal<app::TEditorAdrM>() && Modal<app::TEditorAdrM>()->windowTitle() == QStringLiteral("ФИО оператора");
    }, [&] {
      CheckNamed(driver, *Modal<app::TEditorAdrM>(), "editor");
      Modal<app::TEditorAdrM>()->reject();
    });
    driver.StepExit([&] { return &p.Start(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowAccessibilityTest)

#include "window_accessibility_test.moc"
