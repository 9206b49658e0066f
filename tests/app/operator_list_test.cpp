#include "app/shell/operator_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/link/temp_folder.h"

namespace zt::shell {
namespace {

using link::fake::TempFolder;
using Items = std::vector<std::string>;

const std::string kHeader(kOperatorListHeader);
const std::string kPetrov = std::string("Петров П.П. // смена 1"_cp);

std::string Cp(std::string_view text) { return std::string(text); }

TEST(OperatorName, NameOfALine) {
  const struct {
    std::string line;
    std::optional<std::string> name;
  } cases[] = {
      {kHeader, std::nullopt},
      {kPetrov, Cp("Петров П.П."_cp)},
      {"   // just a note", std::nullopt},
      {" // ", std::nullopt},
      {"", std::nullopt},
      {Cp("Иванов И.И."_cp), Cp("Иванов И.И."_cp)},  // no "//": the whole line
      {"  Sidorov  ", "Sidorov"},
      {"a//b//c", "a"},
      {"a b // c", "a b"},
  };
  for (const auto& c : cases) EXPECT_EQ(OperatorName(c.line), c.name) << c.line;
}

TEST(OperatorName, ComboBoxReadsTheFile) {
  TempFolder folder;
  EXPECT_TRUE(ReadOperatorNames(folder.Files()).empty()) << "missing file";
  TempFolder::Write(folder.Files().OperatorListFile(), kHeader + "\r\n" + kPetrov + "\r\n\r\n");
  EXPECT_EQ(ReadOperatorNames(folder.Files()), Items{Cp("Петров П.П."_cp)});
}

TEST(OperatorSplit, ItemIntoFields) {
  const struct {
    std::string item, name, comment;
  } cases[] = {
      {"", "", ""},
      {kPetrov, Cp("Петров П.П."_cp), Cp(" смена 1"_cp)},
      {kHeader, "", Cp("ФИО оператора"_cp)},
      {" // ", "", " "},
      {"  Ivanov  ", "Ivanov", ""},  // hand-made line: all of it is the name
      {"a // b // c", "a", " b // c"},
  };
  for (const auto& c : cases) {
    const OperatorFields f = SplitOperatorItem(c.item);
    EXPECT_EQ(f.name, c.name) << c.item;
    EXPECT_EQ(f.comment, c.comment) << c.item;
  }
}

TEST(OperatorItems, TheListWithoutItsFile) {
  OperatorItems list(kHeader + "\r\n\r\nA // 1\nB");
  EXPECT_EQ(list.Items(), (Items{kHeader, "A // 1", "B", ""}));
  EXPECT_EQ(list.NameField(), "");
  list.Select(9);  // beyond the end: the empty item
  EXPECT_EQ(list.Selected(), 3u);
  list.FieldsEdited("C", "");
  EXPECT_EQ(list.Items(), (Items{kHeader, "A // 1", "B", "C // ", ""}));
  EXPECT_EQ(list.FileText(), kHeader + "\r\nA // 1\r\nB\r\nC // \r\n");
  EXPECT_EQ(list.FileText(1), kHeader + "\r\nB\r\nC // \r\n");
  EXPECT_EQ(OperatorItems().Items(), Items{""});
}

class OperatorEditor : public ::testing::Test {
 protected:
  void WriteList(const std::string& bytes) { TempFolder::Write(folder.Files().OperatorListFile(), bytes); }
  std::string ListFile() const { return TempFolder::Read(folder.Files().OperatorListFile()); }

  TempFolder folder;
  OperatorListEditor editor{folder.Files()};
};

TEST_F(OperatorEditor, MissingFileIsCreatedWithTheHeaderLine) {
  ASSERT_TRUE(editor.Load());
  EXPECT_EQ(ListFile(), kHeader + "\r\n");
  EXPECT_EQ(editor.Items(), (Items{kHeader, ""}));
  EXPECT_EQ(editor.Selected(), 0u);
  EXPECT_EQ(editor.NameField(), "");
  EXPECT_EQ(editor.CommentField(), Cp("ФИО оператора"_cp));
}

TEST_F(OperatorEditor, EditingAnEntryRewritesIt) {
  WriteList(kHeader + "\r\n" + kPetrov + "\r\n\r\n");
  ASSERT_TRUE(editor.Load());
  EXPECT_EQ(editor.Items(), (Items{kHeader, kPetrov, ""}));

  editor.Select(1);
  EXPECT_EQ(editor.NameField(), Cp("Петров П.П."_cp));
  EXPECT_EQ(editor.CommentField(), Cp(" смена 1"_cp));
  // Any key released: the fields as they stand, so two blanks follow "//".
  editor.FieldsEdited(editor.NameField(), editor.CommentField());
  EXPECT_EQ(editor.Items(), (Items{kHeader, Cp("Петров П.П. //  смена 1"_cp), ""}));
}

TEST_F(OperatorEditor, TypingIntoTheEmptyItemAddsANewOne) {
  WriteList(kHeader + "\r\n");
  ASSERT_TRUE(editor.Load());
  editor.Select(1);
  editor.FieldsEdited("S", "");
  EXPECT_EQ(editor.Items(), (Items{kHeader, "S // ", ""}));
  editor.FieldsEdited("Si", "x");
  EXPECT_EQ(editor.Items(), (Items{kHeader, "Si // x", ""}));
  EXPECT_EQ(editor.NameField(), "Si");
  EXPECT_EQ(editor.CommentField(), "x");
}

TEST_F(OperatorEditor, SaveWritesEveryNonEmptyItem) {
  WriteList(kHeader + "\r\n" + kPetrov + "\r\n");
  ASSERT_TRUE(editor.Load());
  editor.Select(1);
  editor.FieldsEdited("", "");  // both fields cleared
  editor.Select(2);
  editor.FieldsEdited("Ivanov", " day");
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(ListFile(), kHeader + "\r\n // \r\nIvanov //  day\r\n");
  // The cleared entry gives no name.
  EXPECT_EQ(ReadOperatorNames(folder.Files()), Items{"Ivanov"});
}

TEST_F(OperatorEditor, EditsWithoutSaveLeaveTheFile) {
  const std::string original = kHeader + "\r\n" + kPetrov + "\r\n";
  WriteList(original);
  ASSERT_TRUE(editor.Load());
  editor.Select(1);
  editor.FieldsEdited("X", "Y");
  EXPECT_EQ(ListFile(), original);
}

TEST_F(OperatorEditor, HandMadeLineKeepsItsName) {
  WriteList(Cp("Иванов И.И."_cp) + "\r\n");
  ASSERT_TRUE(editor.Load());
  EXPECT_EQ(editor.NameField(), Cp("Иванов И.И."_cp));
  EXPECT_EQ(editor.CommentField(), "");
  editor.FieldsEdited(editor.NameField(), editor.CommentField());
  ASSERT_TRUE(editor.Save());
  EXPECT_EQ(ListFile(), Cp("Иванов И.И. // "_cp) + "\r\n");
  EXPECT_EQ(ReadOperatorNames(folder.Files()), Items{Cp("Иванов И.И."_cp)});
}

TEST_F(OperatorEditor, DeleteQuestionShowsTheFields) {
  WriteList(kHeader + "\r\n" + kPetrov + "\r\n");
  ASSERT_TRUE(editor.Load());
  editor.Select(1);
  EXPECT_EQ(editor.DeleteQuestion(), Cp("Строку  \"Петров П.П.// смена 1\" Удалить?"_cp));
}

TEST_F(OperatorEditor, DeletingSelectsThePreviousItem) {
  const struct {
    std::size_t deleted;
    Items items;
    std::size_t selected;
    std::string name;
  } cases[] = {
      {0, {"A // 1", "B // 2", "C // 3", "D // 4", ""}, 0, "A"},
      {3, {kHeader, "A // 1", "B // 2", "D // 4", ""}, 2, "B"},
      {5, {kHeader, "A // 1", "B // 2", "C // 3", "D // 4", ""}, 4, "D"},  // the empty item
  };
  for (const auto& c : cases) {
    WriteList(kHeader + "\r\nA // 1\r\nB // 2\r\nC // 3\r\nD // 4\r\n");
    ASSERT_TRUE(editor.Load());
    editor.Select(c.deleted);
    ASSERT_TRUE(editor.DeleteSelected()) << c.deleted;
    EXPECT_EQ(editor.Items(), c.items) << c.deleted;
    EXPECT_EQ(editor.Selected(), c.selected) << c.deleted;
    EXPECT_EQ(editor.NameField(), c.name) << c.deleted;
    Items written(c.items.begin(), c.items.end() - 1);
    std::string expected;
    for (const auto& line : written) expected += line + "\r\n";
    EXPECT_EQ(ListFile(), expected) << c.deleted;
  }
}

TEST_F(OperatorEditor, DeletingStoresTheOtherEdits) {
  WriteList("A // 1\r\nB // 2\r\n");
  ASSERT_TRUE(editor.Load());
  editor.Select(0);
  editor.FieldsEdited("Z", " 9");
  editor.Select(1);
  ASSERT_TRUE(editor.DeleteSelected());
  EXPECT_EQ(ListFile(), "Z //  9\r\n");
  EXPECT_EQ(editor.Items(), (Items{"Z //  9", ""}));
}

TEST_F(OperatorEditor, DeletingTheLastLineLeavesAnEmptyFile) {
  ASSERT_TRUE(editor.Load());
  ASSERT_TRUE(editor.DeleteSelected());
  EXPECT_EQ(ListFile(), "");
  EXPECT_EQ(editor.Items(), Items{""});
  EXPECT_EQ(editor.NameField(), "");
}

// A list that could not be loaded must never replace what is there.
TEST(OperatorEditorFailure, NothingIsWrittenWithoutALoadedList) {
  const struct {
    const char* what;
    void (*spoil)(const WorkingFiles&);
  } cases[] = {
      {"no Work folder", [](const WorkingFiles& f) { std::filesystem::remove_all(f.WorkFolder()); }},
      {"a folder where the file should be",
       [](const WorkingFiles& f) { std::filesystem::create_directory(f.OperatorListFile()); }},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    c.spoil(folder.Files());
    const auto before = std::filesystem::status(folder.Files().OperatorListFile()).type();
    OperatorListEditor editor(folder.Files());
    EXPECT_FALSE(editor.Load()) << c.what;
    EXPECT_EQ(editor.Items(), Items{""}) << c.what;
    editor.FieldsEdited("A", "");
    EXPECT_FALSE(editor.Save()) << c.what;
    EXPECT_FALSE(editor.DeleteSelected()) << c.what;
    EXPECT_EQ(std::filesystem::status(folder.Files().OperatorListFile()).type(), before) << c.what;
  }
}

TEST_F(OperatorEditor, AFailedDeleteKeepsTheList) {
  WriteList("A // 1\r\nB // 2\r\n");
  ASSERT_TRUE(editor.Load());
  editor.Select(1);
  editor.FieldsEdited("B", " edited");
  std::filesystem::remove_all(folder.Files().WorkFolder());
  EXPECT_FALSE(editor.DeleteSelected());
  EXPECT_EQ(editor.Items(), (Items{"A // 1", "B //  edited", ""}));
  EXPECT_EQ(editor.Selected(), 1u);
  EXPECT_EQ(editor.CommentField(), "  edited");
}

}  // namespace
}  // namespace zt::shell
