// The regional flag and the operator list meeting something in Work/ that is
// no file to read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/shell/operator_list.h"
#include "app/shell/regional_flag.h"
#include "tests/core/odd_file_test.h"

namespace zt::shell {
namespace {

using test::OddFile;
using Items = std::vector<std::string>;

using OddWorkFile = test::OddFileTest;

TEST_P(OddWorkFile, TheRegionalFlagStaysZero) {
  test::MakeOddFile(GetParam(), files.RegionalFlagFile());
  EXPECT_EQ(LoadRegionalFlag(files), 0) << "junk's last line is no number either";
  EXPECT_TRUE(test::OddFileKept(GetParam(), files.RegionalFlagFile()));
}

TEST_P(OddWorkFile, TheComboBoxGetsNoNamesButFromJunkLines) {
  test::MakeOddFile(GetParam(), files.OperatorListFile());
  // Junk's lines are names: no "//" in either; the first loses its trailing tab.
  const std::string bytes = test::AllByteValues();
  const Items junkNames = {bytes.substr(0, 9), bytes.substr(0x0B)};
  EXPECT_EQ(ReadOperatorNames(files), GetParam() == OddFile::BinaryJunk ? junkNames : Items{});
  EXPECT_TRUE(test::OddFileKept(GetParam(), files.OperatorListFile()));
}

TEST_P(OddWorkFile, TheEditorNeverReplacesWhatItCouldNotRead) {
  const auto file = files.OperatorListFile();
  test::MakeOddFile(GetParam(), file);
  OperatorListEditor editor(files);
  switch (GetParam()) {
    case OddFile::DanglingLink:
      // Missing behind the link: made there with its header, the link kept.
      EXPECT_TRUE(editor.Load());
      EXPECT_TRUE(std::filesystem::is_symlink(file));
      EXPECT_EQ(editor.Items(), (Items{std::string(kOperatorListHeader), ""}));
      break;
    case OddFile::BinaryJunk:
      EXPECT_TRUE(editor.Load());
      EXPECT_EQ(editor.Items(), (Items{test::AllByteValueLines()[0], test::AllByteValueLines()[1], ""}));
      break;
    default:
      EXPECT_FALSE(editor.Load());
      EXPECT_EQ(editor.Items(), Items{""});
      editor.FieldsEdited("Name", "note");
      EXPECT_FALSE(editor.Save());
      EXPECT_FALSE(editor.DeleteSelected());
      EXPECT_TRUE(test::OddFileKept(GetParam(), file));
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddWorkFile, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::shell
