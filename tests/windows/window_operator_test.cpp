// The operator list editor, reached through the start window's hidden
// "РЕДАКТОР ФИО": selecting, typing, saving, deleting and cancelling, the file
// it leaves, and the start window's names afterwards.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/windows/t_editor_adr_m.h"
#include "app/windows/text_codec.h"
#include "core/cp1251.h"
#include "tests/windows/window_harness.h"

using namespace zt;
using namespace zt::wintest;

namespace {

const std::string kFixture = std::string("//ФИО оператора\r\nПетров П.П. // смена 1\r\n\r\n"_cp);
const QStringList kFixtureItems = {QStringLiteral("//ФИО оператора"), QStringLiteral("Петров П.П. // смена 1"), QString()};

QStringList Names(const QComboBox& combo) {
  QStringList names;
  for (int i = 0; i < combo.count(); ++i) names << combo.itemText(i);
  return names;
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

// The start window's operator list and editor, with the fixture file.
struct EditorSession {
  OfflineProgram p;

  EditorSession() { p.folder.WriteWorkFile("FIOmast.000", kFixture); }
  std::string File() const { return test::ReadBytes(p.folder.Files().OperatorListFile()); }
  QComboBox& Combo() { return *p.Start().findChild<QComboBox*>("ComboBox_Oper"); }
  static app::TEditorAdrM& Editor() { return *Modal<app::TEditorAdrM>(); }
  template <class W>
  static W& In(const char* name) { return *Editor().findChild<W*>(name); }
  static void ClickItem(int index) {
    auto& list = In<QListWidget>("ListBox1");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(index)).center());
  }

  // Out of the main window to the start window, then "РЕДАКТОР ФИО" until it has loaded the list.
  void OpenEditor(ScenarioDriver& driver) {
    StepCancelSearch(driver);
    driver.Step("main window", [this] { return p.Main().isVisible() && InFront(p.Main()); }, [this, &driver] {
      driver.Check(Names(Combo()) == QStringList{QStringLiteral("Петров П.П.")}, "names at start-up: " + Names(Combo()).join('|'));
      p.Main().reject();
    });
    driver.Step("start window", [this] { return !p.Main().isVisible() && QApplication::activeModalWidget() == nullptr; },
                [this] { QTimer::singleShot(0, p.Start().findChild<QAction*>("N1"), &QAction::trigger); });
    driver.Step("editor loaded", [] {
      return Modal<app::TEditorAdrM>() != nullptr && Editor().windowTitle() == QStringLiteral("ФИО оператора");
    }, [&driver] {
      driver.Check(Items(In<QListWidget>("ListBox1")) == kFixtureItems, "items: " + Items(In<QListWidget>("ListBox1")).join('|'));
      driver.Check(In<QListWidget>("ListBox1").currentRow() == 0, "item 0 selected");
      bool labelled = false;
      for (const QLabel* label : Editor().findChildren<QLabel*>())
        labelled |= label->buddy() == &In<QLineEdit>("LabeledEdit1") && label->text() == QStringLiteral("ФИО оператора");
      driver.Check(labelled, "the name field's label");
      driver.Check(In<QLineEdit>("LabeledEdit1").text().isEmpty(), "the header line gives no name");
      driver.Check(In<QLineEdit>("LabeledEdit2").text() == QStringLiteral("ФИО оператора"), "the header line's comment");
    });
  }
  // The editor has gone and the start window has read the file again.
  void Closed(ScenarioDriver& driver, QStringList names) {
    driver.Step("editor closed", [this] { return p.Start().Dispatcher().Shown(app::WindowKind::OperatorEditor) == nullptr; },
                [this, &driver, names] { driver.Check(Names(Combo()) == names, "names afterwards: " + Names(Combo()).join('|')); });
    driver.StepExit([this] { return &p.Start(); });
  }
};

void SelectEntry(ScenarioDriver& driver) {
  EditorSession::ClickItem(1);
  driver.Check(EditorSession::In<QLineEdit>("LabeledEdit1").text() == QStringLiteral("Петров П.П."), "name field");
  driver.Check(EditorSession::In<QLineEdit>("LabeledEdit2").text() == QStringLiteral(" смена 1"), "comment field");
}

}  // namespace

class WindowOperatorTest : public QObject {
  Q_OBJECT

 private slots:
  void TypedEntriesAreSavedInWindows1251() {
    EditorSession s;
    QVERIFY(s.p.program.Start());
    ScenarioDriver driver;
    s.OpenEditor(driver);
    driver.Step("edit", [] { return true; }, [&] {
      SelectEntry(driver);
      // A released key rewrites the item from the fields: now two blanks follow "//".
      QTest::keyClick(&EditorSession::In<QLineEdit>("LabeledEdit1"), Qt::Key_End);
      QStringList items = kFixtureItems;
      items[1] = QStringLiteral("Петров П.П. //  смена 1");
      driver.Check(Items(EditorSession::In<QListWidget>("ListBox1")) == items, "rewritten: " + Items(EditorSession::In<QListWidget>("ListBox1")).join('|'));
      // Typing into the empty last item makes it an entry and adds a new empty item.
      EditorSession::ClickItem(2);
      QTest::keyClicks(&EditorSession::In<QLineEdit>("LabeledEdit1"), "Ivanov");
      QTest::sendKeyEvent(QTest::Click, &EditorSession::In<QLineEdit>("LabeledEdit2"), Qt::Key_unknown,
                          QStringLiteral("Ж"), Qt::NoModifier);
      items[2] = QStringLiteral("Ivanov // Ж");
      items << QString();
      driver.Check(Items(EditorSession::In<QListWidget>("ListBox1")) == items, "typed: " + Items(EditorSession::In<QListWidget>("ListBox1")).join('|'));
      driver.Check(s.File() == kFixture, "nothing written before Сохранить");
      EditorSession::In<QPushButton>("BitBtn1").click();
    });
    s.Closed(driver, {QStringLiteral("Петров П.П."), QStringLiteral("Ivanov")});
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
    QCOMPARE(s.File(), std::string("//ФИО оператора\r\nПетров П.П. //  смена 1\r\nIvanov // Ж\r\n"_cp));
  }

  void DeleteAsksFirst() {
    EditorSession s;
    QVERIFY(s.p.program.Start());
    const QString question = QStringLiteral("Строку  \"Петров П.П.// смена 1\" Удалить?");
    ScenarioDriver driver;
    s.OpenEditor(driver);
    driver.Answer("Нет");
    driver.Step("delete, No", [] { return true; }, [&] {
      SelectEntry(driver);
      QTimer::singleShot(0, &EditorSession::In<QPushButton>("BitBtn3"), &QPushButton::click);
    });
    driver.Step("kept", [&] { return driver.Messages().size() == 1 && InFront(EditorSession::Editor()); }, [&] {
      driver.Check(driver.Messages().value(0).text == question, "question: " + driver.Messages().value(0).text);
      driver.Check(s.File() == kFixture, "No keeps the file");
      driver.Check(Items(EditorSession::In<QListWidget>("ListBox1")) == kFixtureItems, "No keeps the list");
      driver.Check(EditorSession::In<QLineEdit>("LabeledEdit1").text() == QStringLiteral("Петров П.П."), "fields kept");
    });
    driver.Answer("Да");
    driver.Step("delete, Yes", [] { return true; }, [&] {
      QTimer::singleShot(0, &EditorSession::In<QPushButton>("BitBtn3"), &QPushButton::click);
    });
    driver.Step("deleted", [&] { return driver.Messages().size() == 2 && InFront(EditorSession::Editor()); }, [&] {
      driver.Check(driver.Messages().value(1).text == question, "second question");
      driver.Check(s.File() == std::string("//ФИО оператора\r\n"_cp), "the entry deleted from the file");
      driver.Check(Items(EditorSession::In<QListWidget>("ListBox1")) == QStringList{kFixtureItems[0], QString()},
                   "the list read again");
      driver.Check(EditorSession::In<QListWidget>("ListBox1").currentRow() == 0, "the item above selected");
      driver.Check(EditorSession::In<QLineEdit>("LabeledEdit2").text() == QStringLiteral("ФИО оператора"), "its fields");
      EditorSession::In<QPushButton>("BitBtn2").click();
    });
    s.Closed(driver, {});
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // Without a mouse: the arrow keys in the list choose the item the fields show and edit.
  void ArrowKeysSelectInTheList() {
    EditorSession s;
    QVERIFY(s.p.program.Start());
    ScenarioDriver driver;
    s.OpenEditor(driver);
    driver.Step("arrow down", [] { return true; }, [&] {
      auto& list = EditorSession::In<QListWidget>("ListBox1");
      list.setFocus();
      QTest::keyClick(&list, Qt::Key_Down);
      driver.Check(list.currentRow() == 1, "item 1 highlighted");
      driver.Check(EditorSession::In<QLineEdit>("LabeledEdit1").text() == QStringLiteral("Петров П.П."), "name field");
      driver.Check(EditorSession::In<QLineEdit>("LabeledEdit2").text() == QStringLiteral(" смена 1"), "comment field");
      auto& comment = EditorSession::In<QLineEdit>("LabeledEdit2");
      comment.setFocus();
      comment.end(false);
      QTest::keyClicks(&comment, "2");
      driver.Check(Items(list) == QStringList{kFixtureItems[0], QStringLiteral("Петров П.П. //  смена 12"), QString()},
                   "the highlighted item edited: " + Items(list).join('|'));
      driver.Check(comment.text() == QStringLiteral(" смена 12"), "the field keeps what was typed: " + comment.text());
      driver.Check(list.currentRow() == 1, "item 1 stays highlighted");
      EditorSession::In<QPushButton>("BitBtn2").click();
    });
    s.Closed(driver, {QStringLiteral("Петров П.П.")});
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
  }

  // Edits that never reach the file.
  void CancelLeavesTheFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Отмена") << "Отмена";
    QTest::newRow("Esc released in the name field") << "LabeledEdit1";
    QTest::newRow("Esc released in the list") << "ListBox1";
  }
  void CancelLeavesTheFile() {
    QFETCH(QString, how);
    EditorSession s;
    QVERIFY(s.p.program.Start());
    ScenarioDriver driver;
    s.OpenEditor(driver);
    driver.Step("edit, then leave", [] { return true; }, [&] {
      SelectEntry(driver);
      auto& name = EditorSession::In<QLineEdit>("LabeledEdit1");
      name.selectAll();
      QTest::keyClicks(&name, "Sidorov");
      driver.Check(EditorSession::In<QListWidget>("ListBox1").item(1)->text() == QStringLiteral("Sidorov //  смена 1"),
                   "edited in the list");
      if (how == QStringLiteral("Отмена")) EditorSession::In<QPushButton>("BitBtn2").click();
      else QTest::keyClick(EditorSession::Editor().findChild<QWidget*>(how), Qt::Key_Escape);
    });
    s.Closed(driver, {QStringLiteral("Петров П.П.")});
    QVERIFY2(driver.Run(), qPrintable(driver.Failures().join("; ")));
    QCOMPARE(s.File(), kFixture);
  }
};

ZT_WINDOW_TEST_MAIN(WindowOperatorTest)

#include "window_operator_test.moc"
