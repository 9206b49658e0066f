// The About window from the main window's "О ПРОГРАММЕ": the version, the
// contact set the regional flag of Work/Type_Ru.000 chooses, every line whole
// and none over another. The links are never clicked: they would start a browser.
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

// Empty when every control shows whole, inside the window, none over another
// (the picture among them, so that no line runs through it).
QString LayoutFault(const QWidget& window) {
  const char* const names[] = {"Image1", "Label6", "Label5", "Label_versPr", "address", "Label1", "l_mail", "l_http",
                               "OKButton"};
  QList<QPair<QString, QRect>> placed;
  for (const char* name : names) {
    const QWidget* w = window.findChild<QWidget*>(name);
    if (!w || !w->isVisible()) return QStringLiteral("%1 not shown").arg(name);
    const QRect at = w->geometry();
    if (!window.rect().contains(at)) return QStringLiteral("%1 outside the window").arg(name);
    // Label6's two lines and each line's whole text: its size hint is what it needs.
    if (w->sizeHint().width() > at.width() || w->sizeHint().height() > at.height())
      return QStringLiteral("%1 cut: needs %2 × %3, has %4 × %5")
          .arg(name).arg(w->sizeHint().width()).arg(w->sizeHint().height()).arg(at.width()).arg(at.height());
    for (const auto& [other, rect] : placed)
      if (rect.intersects(at)) return QStringLiteral("%1 over %2").arg(name, other);
    placed.push_back({QString::fromLatin1(name), at});
  }
  return {};
}
QString Hint(const QWidget& window, const char* label) { return window.findChild<QLabel*>(label)->toolTip(); }

// Steps: the start-up search cancelled, then "О ПРОГРАММЕ" in the main window.
void StepOpenAbout(ScenarioDriver& driver, OfflineProgram& p) {
  StepCancelSearch(driver);
  driver.Step("О ПРОГРАММЕ", [&] { return p.Main().isVisible() && InFront(p.Main()); },
              [&] { QTimer::singleShot(0, p.Main().findChild<QAction*>("mZT_Help"), &QAction::trigger); });
}

}  // namespace

class WindowAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryLineShowsWholeAndNothingOverlaps_data() {
    QTest::addColumn<QByteArray>("typeRu");
    QTest::newRow("flag 0") << QByteArray("0\r\n");
    QTest::newRow("flag 1") << QByteArray("1\r\n");
  }
  void EveryLineShowsWholeAndNothingOverlaps() {
    QFETCH(QByteArray, typeRu);
    OfflineProgram p;
    p.folder.WriteWorkFile("Type_Ru.000", typeRu.toStdString());
    QVERIFY(p.program.Start());
    ScenarioDriver driver;
    StepOpenAbout(driver, p);
    driver.Step("About", [] { return Modal<app::TAboutForm>() != nullptr; }, [&] {
      QWidget& about = *Modal<app::TAboutForm>();
      SaveScreenshot(about, QStringLiteral("about_window_flag_%1").arg(QString::fromLatin1(typeRu.left(1))));
      driver.Check(about.size() == QSize(422, 264), "422 × 264");
      const QString fault = LayoutFault(about);
      driver.Check(fault.isEmpty(), fault);
      driver.Check(about.findChild<QWidget*>("Image1")->geometry().topLeft().manhattanLength() <= 20,
                   "the picture at the top left");
      about.findChild<QPushButton*>("OKButton")->click();
    });
    driver.Step("closed", [&] { return InFront(p.Main()); }, [] {});
    driver.StepExit([&] { return &p.program.StartWindow(); });
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

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
    StepOpenAbout(driver, p);
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
