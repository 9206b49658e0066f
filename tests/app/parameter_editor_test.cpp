#include "app/shell/parameter_editor.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "link/payloads.h"

namespace zt::shell {
namespace {

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

struct TypedCase {
  const char* what;
  std::string utf8;
  bool accepted;
};

class RecorderTextTyping : public ::testing::TestWithParam<TypedCase> {};

TEST_P(RecorderTextTyping, AcceptsOnlyWhatTheRecorderKeeps) {
  EXPECT_EQ(IsRecorderText(GetParam().utf8), GetParam().accepted) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecorderTextTyping,
    ::testing::Values(TypedCase{"empty", "", true},
                      TypedCase{"30 Latin", Repeat("a", 30), true},
                      TypedCase{"31 Latin", Repeat("a", 31), false},
                      // Two UTF-8 bytes each: characters are counted, not bytes.
                      TypedCase{"30 Cyrillic", Repeat("Ж", 30), true},
                      TypedCase{"31 Cyrillic", Repeat("ж", 31), false},
                      TypedCase{"numero sign and euro of the code page", "№ 5 €", true},
                      TypedCase{"Ukrainian letters", "ЇїЄєІіҐґ", true},
                      TypedCase{"tab", "a\tb", false},
                      TypedCase{"line feed", "a\nb", false},
                      TypedCase{"delete", "a\x7f", false},
                      TypedCase{"C1 control U+0085", "a\xc2\x85", false},
                      TypedCase{"undefined U+0098", "\xc2\x98", false},
                      TypedCase{"u umlaut, not in the code page", "\xc3\xbc", false},
                      TypedCase{"CJK", "中", false},
                      TypedCase{"emoji", "\xf0\x9f\x98\x80", false},
                      TypedCase{"malformed UTF-8", "\xd0", false}));

TEST(EditorTextOf, KeepsTypableCharactersUpToThirty) {
  EXPECT_EQ(EditorTextOf(kDitto), kDitto);
  EXPECT_EQ(EditorTextOf("Газпром"_cp), "Газпром"_cp);
  EXPECT_EQ(EditorTextOf("a\x01" "b\x7f" "c\x98" "d\te"), "abcde");
  EXPECT_EQ(EditorTextOf(Repeat("x", 25) + "\r" + Repeat("y", 10)), Repeat("x", 25) + Repeat("y", 5));
}

class ParameterEditing : public ::testing::Test {
 protected:
  ParameterEditing() {
    image.header.fill(std::string(kDitto));
    image.header[kHeaderEnterprise] = "Завод"_cp;
    image.header[kHeaderBranch] = "Ветка 2"_cp;
    // The meter's field did not check: it stays the ditto mark.
  }
  DecodedImage image;
  bool clock = true;  // the flag as a previous editing left it
};

TEST_F(ParameterEditing, OpensWithTheHeaderTexts) {
  const ParameterEditor editor(image);
  EXPECT_EQ(editor.OpeningTexts(), (EditorTexts{std::string("Завод"_cp), std::string("Ветка 2"_cp), std::string(kDitto)}));
  EXPECT_FALSE(editor.Confirmed());
  EXPECT_FALSE(editor.ClockCorrection());
}

TEST_F(ParameterEditing, ConfirmStoresTheTypedTextsAndTheClockChoice) {
  ParameterEditor editor(image);
  editor.Confirm({"A", std::string(" Б "_cp), ""}, true);
  EXPECT_TRUE(editor.Close(image, clock));
  EXPECT_TRUE(clock);
  EXPECT_EQ(image.header[kHeaderEnterprise], "A");
  EXPECT_EQ(image.header[kHeaderBranch], " Б "_cp) << "as typed, blanks kept";
  EXPECT_EQ(image.header[kHeaderMeter], "");
  EXPECT_EQ(image.header[kHeaderSerial], kDitto) << "other entries untouched";
}

TEST_F(ParameterEditing, ConfirmWithoutTheBoxClearsTheClockFlag) {
  ParameterEditor editor(image);
  editor.Confirm(editor.OpeningTexts(), false);
  EXPECT_TRUE(editor.Close(image, clock));
  EXPECT_FALSE(clock);
}

TEST_F(ParameterEditing, CancelAfterTickingChangesNothingAndStartsNoWriting) {
  const auto before = image.header;
  ParameterEditor editor(image);
  editor.Confirm({"x", "y", "z"}, true);  // Enter in one edit, then the operator thinks again
  editor.Cancel();
  EXPECT_FALSE(editor.Close(image, clock));
  EXPECT_FALSE(clock);
  EXPECT_EQ(image.header, before);
}

TEST_F(ParameterEditing, ClosedWithoutAnAnswerIsACancel) {
  const auto before = image.header;
  const ParameterEditor editor(image);
  EXPECT_FALSE(editor.Close(image, clock));
  EXPECT_FALSE(clock);
  EXPECT_EQ(image.header, before);
}

TEST_F(ParameterEditing, UneditedDittoGoesToTheRecorderPaddedToThirty) {
  ParameterEditor editor(image);
  editor.Confirm(editor.OpeningTexts(), false);
  editor.Close(image, clock);
  const link::WriteParameters sent = WriteParametersOf(image, clock);
  EXPECT_EQ(sent.enterprise, "Завод"_cp);
  EXPECT_EQ(sent.branch, "Ветка 2"_cp);
  EXPECT_EQ(link::TextPayload(sent.meter), std::string("-\"-") + std::string(27, ' '));
  EXPECT_FALSE(sent.clockCorrection);
}

TEST_F(ParameterEditing, AfterAWritingTheHeaderShowsWhatTheRecorderTook) {
  using link::CommandType;
  const EditorTexts before = EditedHeaderTexts(image);
  EXPECT_EQ(before, (EditorTexts{std::string("Завод"_cp), std::string("Ветка 2"_cp), std::string(kDitto)}));
  const struct {
    const char* what;
    CommandType lastAcknowledged;
    EditorTexts shown;
  } cases[] = {
      {"nothing taken", CommandType::SetClock, before},
      {"the enterprise taken", CommandType::WriteEnterprise, {"A", before[1], before[2]}},
      {"the branch taken too", CommandType::WriteBranch, {"A", "B", before[2]}},
      {"all three taken", CommandType::WriteMeter, {"A", "B", "C"}},
  };
  for (const auto& c : cases) {
    DecodedImage edited = image;
    ParameterEditor editor(edited);
    editor.Confirm({"A", "B", "C"}, false);
    ASSERT_TRUE(editor.Close(edited, clock));
    KeepAcknowledgedTexts(edited, before, [&](CommandType type) { return type <= c.lastAcknowledged; });
    EXPECT_EQ(EditedHeaderTexts(edited), c.shown) << c.what;
    EXPECT_EQ(edited.header[kHeaderSerial], kDitto) << c.what;
  }
}

}  // namespace
}  // namespace zt::shell
