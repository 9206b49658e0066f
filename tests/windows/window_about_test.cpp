// The About window from the main window's "О ПРОГРАММЕ": the version, and the
// contact set the regional flag of Work/Type_Ru.000 chooses. The links are
// never clicked: they would start a browser.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/windows/about_contacts.h"
#include "app/windows/t_about_form.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

QString Text(const QWidget& window, const char* label) { return window.findChild<QLabel*>(label)->text(); }
QString Hint(const QWidget& window, const char* label) { return window.findChild<QLabel*>(label)->toolTip(); }

}  // namespace

class WindowAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheVersionAndTheContactsOfTheRegion_data() {
    QTest::addColumn<QByteArray>("typeRu");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("closeByEscape");
    QTest::newRow("flag 0, closed by ДА") << QByteArray("0\r\n") << 0 << false;
    QTest::newRow("flag 1, closed by Esc") << QByteArray("1\r\n") << 1 << true;
  }
  void ShowsTheVersionAndTheContactsOfTheRegion() {
    QFETCH(QByteArray, typeRu);
    QFETCH(int, flag);
    QFETCH(bool, closeByEscape);
    OfflineProgram p;
    p.folder.WriteWorkFile("Type_Ru.000", typeRu.toStdString());
    const app::AboutContacts want = app::ContactsFor(static_cast<std::uint8_t>(flag));
    const app::AboutContacts otherSet = app::ContactsFor(static_cast<std::uint8_t>(1 - flag));
    // The sets must differ where the flag chooses, or the test would prove nothing.
    QVERIFY(want.address != otherSet.address && want.mailTarget != otherSet.mailTarget &&
            want.webTarget != otherSet.webTarget);
    QVERIFY(p.program.Start());

    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("О ПРОГРАММЕ", [&] { return p.Main().isVisible() && InFront(p.Main()); },
                [&] { QTimer::singleShot(0, p.Main().findChild<QAction*>("mZT_Help"), &QAction::trigger); });
    driver.Step("About", [] { return Modal<app::TAboutForm>() != nullptr; }, [&] {
      const QWidget& about = *Modal<app::TAboutForm>();
      driver.Check(about.windowTitle() == QStringLiteral("О программе "), "title");
      driver.Check(Text(about, "Label_versPr") == QStringLiteral("версия: Zetlogic-1.10"), "version");
      driver.Check(Text(about, "address") == want.address, "address: " + Text(about, "address"));
      driver.Check(Text(about, "l_mail") == want.mailCaption && Hint(about, "l_mail") == want.mailTarget, "e-mail line");
      driver.Check(Text(about, "l_http") == want.webCaption && Hint(about, "l_http") == want.webTarget, "web line");
      driver.Check(Text(about, "Label1") == app::ContactsFor(0).phone, "the same telephone line");
      if (flag != 0) driver.Check(Hint(about, "l_mail").startsWith(QStringLiteral("mailto:")), "regional e-mail is mailto:");
      if (closeByEscape) QTest::keyClick(Modal<app::TAboutForm>(), Qt::Key_Escape);
      else about.findChild<QPushButton*>("OKButton")->click();
    });
    driver.Step("closed", [&] { return InFront(p.Main()); }, [&] {
      driver.Check(p.Start().Dispatcher().Shown(app::WindowKind::About) == nullptr, "the window is gone");
    });
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }
};

ZT_WINDOW_TEST_MAIN(WindowAboutTest)

#include "window_about_test.moc"
