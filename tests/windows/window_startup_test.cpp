// Start-up as the operator meets it: the search finds the recorder and the
// main window offers reading and writing; a search that finds nothing, or is
// cancelled, still opens the main window, without them. A warning about the
// program folder is shown first, before any window.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/app_context.h"
#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_sel_rs.h"
#include "app/windows/tf_zetl.h"
#include "core/cp1251.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "tests/core/odd_files.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

bool MainWindowUp(app::Program& program) { return program.StartWindow().MainWindow().isVisible(); }

bool MenuShown(app::Program& program, const char* name) {
  return program.StartWindow().MainWindow().findChild<QAction*>(QString::fromLatin1(name))->isVisible();
}

}  // namespace

class WindowStartupTest : public QObject {
  Q_OBJECT

 private slots:
  void FindsTheRecorderOnTheRememberedPort() {
    ProgramFolder folder;
    folder.WriteWorkFile("ZT_RS.000", "3\r\n");
    const ExpectedImage expected = DecodeForTest(GenerateSampleImage(1));
    sim::SimulatorThread sim(expected.bytes, {}, 0);
    QVERIFY(sim.Start(folder.Files().PortLink(3)));
    app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});

    ScenarioDriver driver;
    driver.Step("main window", [&] { return MainWindowUp(program); }, [&] {
      driver.Check(MenuShown(program, "mZT_Read"), "ЧТЕНИЕ shown");
      driver.Check(MenuShown(program, "mZT_Write"), "ЗАПИСЬ shown");
      auto* serial = program.StartWindow().MainWindow().findChild<QLabel*>("stSerNum_ZT");
      driver.Check(serial->text().toStdString() == expected.image.header[kHeaderSerial], "serial number shown");
      driver.Check(test::ReadBytes(folder.Files().RememberedPortFile()) == "3\r\n", "port remembered");
    });
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY(program.Start());
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void NothingFoundOffersRepeatThenCancelOpensTheMainWindow() {
    ProgramFolder folder;
    folder.WriteWorkFile("Q_RS.000", "4\r\n");
    app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});

    ScenarioDriver driver;
    auto search = [] { return Modal<app::TfSel_RS>(); };
    driver.Step("not found", [&] { return search() && search()->findChild<QPushButton*>("BitBtn_Repet")->isVisible(); },
                [&] {
                  driver.Check(search()->findChild<QLabel*>("lError")->text() == "РЕГИСТРАТОР НЕ НАЙДЕН!!!",
                               "not-found text");
                  search()->findChild<QPushButton*>("BitBtn_Repet")->click();
                });
    driver.Step("searching again", [&] { return search() && !search()->findChild<QLabel*>("lError")->isVisible(); },
                [] {});
    driver.Step("not found again", [&] { return search() && search()->findChild<QPushButton*>("BitBtn_Repet")->isVisible(); },
                [&] { search()->findChild<QPushButton*>("BitBtn_No")->click(); });
    driver.Step("main window", [&] { return MainWindowUp(program); }, [&] {
      driver.Check(!MenuShown(program, "mZT_Read"), "ЧТЕНИЕ hidden");
      driver.Check(!MenuShown(program, "mZT_Write"), "ЗАПИСЬ hidden");
    });
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY(program.Start());
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void CancelledSearchOpensTheMainWindow() {
    ProgramFolder folder;
    app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});
    ScenarioDriver driver;
    driver.Step("search window", [] { return Modal<app::TfSel_RS>() != nullptr; },
                [] { QTest::keyClick(Modal<app::TfSel_RS>(), Qt::Key_Escape); });
    driver.Step("main window", [&] { return MainWindowUp(program); }, [&] {
      driver.Check(!MenuShown(program, "mZT_Read"), "ЧТЕНИЕ hidden");
      driver.Check(!MenuShown(program, "mZT_Write"), "ЗАПИСЬ hidden");
    });
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY(program.Start());
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void WorkFilesThatAreNoFilesStillLeadToTheSearchAndTheMainWindow() {
    ProgramFolder folder;
    const WorkingFiles& files = folder.Files();
    test::MakeOddFile(test::OddFile::Folder, files.ScanLimitFile());
    test::MakeOddFile(test::OddFile::Fifo, files.RememberedPortFile());
    test::MakeOddFile(test::OddFile::Fifo, files.RegionalFlagFile());
    test::MakeOddFile(test::OddFile::Folder, files.OperatorListFile());
    test::MakeOddFile(test::OddFile::Fifo, files.PrintSettingsFile());
    const test::HangGuard guard(120);
    app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("main window", [&] { return MainWindowUp(program); }, [&] {
      driver.Check(!MenuShown(program, "mZT_Read"), "ЧТЕНИЕ hidden");
      driver.Check(test::OddFileKept(test::OddFile::Folder, files.ScanLimitFile()), "Q_RS.000 still a folder");
      driver.Check(test::OddFileKept(test::OddFile::Fifo, files.RememberedPortFile()), "ZT_RS.000 still a FIFO");
    });
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY(program.Start());
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  void AProgramFolderWarningComesBeforeAnyWindow() {
    ProgramFolder folder;
    app::ProgramOptions options{folder.LockFolder(), std::vector<std::string>{}};
    options.startWarning = "Не удалось создать папку /h/Work"_cp;
    app::Program program(folder.Root(), std::move(options));
    // The box is up inside Start(), before the driver runs: answered from a timer.
    QString shown;
    QStringList windowsOpen;
    QTimer answer;
    answer.setInterval(5);
    connect(&answer, &QTimer::timeout, [&] {
      auto* box = Modal<QMessageBox>();
      if (!box || !box->isVisible()) return;
      answer.stop();
      shown = box->text();
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w != box && w->isVisible() && !w->objectName().isEmpty()) windowsOpen << w->objectName();
      box->buttons().value(0)->click();
    });
    answer.start();
    ScenarioDriver driver;
    StepCancelSearch(driver);
    driver.Step("main window", [&] { return MainWindowUp(program); }, [] {});
    driver.StepExit([&] { return &program.StartWindow(); });
    QVERIFY(program.Start());
    QCOMPARE(shown, QStringLiteral("Не удалось создать папку /h/Work"));
    QCOMPARE(windowsOpen, QStringList());
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
    QVERIFY(driver.Messages().isEmpty());
  }
};

ZT_WINDOW_TEST_MAIN(WindowStartupTest)

#include "window_startup_test.moc"
