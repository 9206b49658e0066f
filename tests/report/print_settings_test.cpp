#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/cp1251.h"
#include "report/print_settings_file.h"
#include "report/substitute_printer.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_file_test.h"

namespace zt::report {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class PrintSettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files.EnsureFolders()); }

  void Load(std::string_view contents, std::vector<std::string> printers) {
    WriteBytes(files.PrintSettingsFile(), contents);
    SubstitutePrinter printer({std::move(printers)});
    LoadPrintSettings(files, setup, printer, messages);
    current = printer.CurrentIndex();
  }
  bool FileExists() const { return std::filesystem::exists(files.PrintSettingsFile()); }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  PrintSetup setup;
  RecordingMessages messages;
  int current = -2;
};

void ExpectSettings(const PrintSettings& s, const PrintSettings& expected) {
  EXPECT_EQ(s.fontSize, expected.fontSize);
  EXPECT_EQ(s.fontName, expected.fontName);
  EXPECT_EQ(s.leftIndent, expected.leftIndent);
  EXPECT_EQ(s.topMargin, expected.topMargin);
  EXPECT_EQ(s.bottomMargin, expected.bottomMargin);
  EXPECT_EQ(s.reportLanguage, expected.reportLanguage);
  EXPECT_EQ(s.storedLinesPerSheet, expected.storedLinesPerSheet);
  EXPECT_EQ(s.storedCharsPerLine, expected.storedCharsPerLine);
  EXPECT_EQ(s.storedPrinterName, expected.storedPrinterName);
}

// Russian, "Lucida Console" 8, indent 5, margins 3 and 3, no metrics.
void ExpectDefaults(const PrintSettings& s) { ExpectSettings(s, {8, "Lucida Console", 5, 3, 3, 2, 0, 0, ""}); }

TEST(PrintSettingsReset, GivesTheDefaultsAndLeavesTheWorkingMetrics) {
  PrintSetup setup;
  setup.settings = {12, "Courier", 1, 2, 4, 1, 70, 130, "P"};
  setup.working = {70, 130};
  ResetPrintSettings(setup.settings);
  ExpectDefaults(setup.settings);
  EXPECT_EQ(setup.working.linesPerSheet, 70);
  EXPECT_EQ(setup.working.charsPerLine, 130);
}

TEST_F(PrintSettingsFileTest, WithoutAFileTheDefaultsStay) {
  SubstitutePrinter printer({{"P1"}});
  LoadPrintSettings(files, setup, printer, messages);
  ExpectDefaults(setup.settings);
  EXPECT_EQ(setup.working.linesPerSheet, 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintSettingsFileTest, AFileOfAnotherVersionOrGarbageIsDeletedAndTheDefaultsStay) {
  const std::string cases[] = {
      "Zetlogic-1.09\r\n12\r\nCourier\r\n1\r\n1\r\n1\r\n1\r\n66\r\n120\r\nP1\r\n",
      std::string("\0\x01\xff\xfe garbage\n\n\n", 16),
      "zetlogic-1.10\r\n12\r\n",
      "",
  };
  for (const auto& contents : cases) {
    setup = {};
    Load(contents, {"P1"});
    ExpectDefaults(setup.settings);
    EXPECT_FALSE(FileExists());
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST_F(PrintSettingsFileTest, FiveLinesAfterTheTagAreTakenWithoutAPrinterLookUp) {
  // No printer installed: a look-up would show its error box.
  Load("Zetlogic-1.10\r\n10\r\nCourier New\r\n7\r\n2\r\n4\r\n", {});
  ExpectSettings(setup.settings, {10, "Courier New", 7, 2, 4, 2, 0, 0, ""});
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(FileExists());
}

TEST_F(PrintSettingsFileTest, AFoundPrinterMakesTheStoredMetricsWorkingOnes) {
  Load("Zetlogic-1.10\r\n9\r\nArial\r\n6\r\n1\r\n2\r\n1\r\n66\r\n120\r\nHP LaserJet 1020\r\n", {"PDF", "HP LaserJet 1020"});
  ExpectSettings(setup.settings, {9, "Arial", 6, 1, 2, 1, 66, 120, "HP LaserJet 1020"});
  EXPECT_EQ(setup.working.linesPerSheet, 66);
  EXPECT_EQ(setup.working.charsPerLine, 120);
  EXPECT_EQ(current, 1);
}

TEST_F(PrintSettingsFileTest, PrinterNamesMatchWithEveryBlankRemoved) {
  Load("Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n60\r\n90\r\n H P Laser Jet 1020 \r\n",
       {"HPLaserJet1020", "PDF"});
  EXPECT_EQ(current, 0);
  EXPECT_EQ(setup.working.linesPerSheet, 60);
  EXPECT_EQ(setup.working.charsPerLine, 90);
}

TEST_F(PrintSettingsFileTest, OfTwoMatchingPrintersTheLaterBecomesCurrent) {
  Load("Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n60\r\n90\r\nOffice\r\n",
       {"Office", "PDF", "Off ice", "Label"});
  EXPECT_EQ(current, 2);
}

TEST_F(PrintSettingsFileTest, APrinterNoLongerInstalledLosesItsMetrics) {
  Load("Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n60\r\n90\r\nGone\r\n", {"PDF"});
  EXPECT_EQ(setup.settings.storedLinesPerSheet, 0);
  EXPECT_EQ(setup.settings.storedCharsPerLine, 0);
  EXPECT_EQ(setup.settings.storedPrinterName, "");
  EXPECT_EQ(setup.working.linesPerSheet, 0);
  EXPECT_EQ(setup.working.charsPerLine, 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintSettingsFileTest, NoInstalledPrinterIsReportedAndClearsTheMetrics) {
  Load("Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n60\r\n90\r\nOffice\r\n", {});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
  EXPECT_EQ(messages.shown[0].second, "Нет установленных принтеров !!!"_cp);
  EXPECT_EQ(setup.settings.storedLinesPerSheet, 0);
  EXPECT_EQ(setup.settings.storedPrinterName, "");
}

TEST_F(PrintSettingsFileTest, NumbersKeepTheirLowEightBitsAndNonNumbersKeepTheField) {
  struct Case {
    std::string line;
    int leftIndent;
  };
  const Case cases[] = {{"264", 8}, {"-1", 255}, {" 12 ", 12}, {"+7", 7}, {"abc", 5},
                        {"", 5},    {"1 2", 5},  {"7x", 5},    {"99999999999", 5}};
  for (const auto& c : cases) {
    setup = {};
    Load("Zetlogic-1.10\r\n8\r\nLucida Console\r\n" + c.line + "\r\n", {});
    EXPECT_EQ(setup.settings.leftIndent, c.leftIndent) << c.line;
  }
}

TEST_F(PrintSettingsFileTest, RunsOfSpacesBecomeOneAndLinesAfterTheTenthAreIgnored) {
  Load("Zetlogic-1.10\r\n8\r\nCourier   New  Cyr\r\n5\r\n3\r\n3\r\n2\r\n60\r\n90\r\nOffice\r\n1\r\n2\r\nxx\r\n",
       {"Office"});
  EXPECT_EQ(setup.settings.fontName, "Courier New Cyr");
  EXPECT_EQ(setup.settings.storedPrinterName, "Office");
  EXPECT_EQ(setup.working.linesPerSheet, 60);
}

TEST_F(PrintSettingsFileTest, BareLineFeedsReadAsLineEnds) {
  Load("Zetlogic-1.10\n11\nCourier\n4\n", {});
  EXPECT_EQ(setup.settings.fontSize, 11);
  EXPECT_EQ(setup.settings.fontName, "Courier");
  EXPECT_EQ(setup.settings.leftIndent, 4);
}

TEST_F(PrintSettingsFileTest, SaveWritesTheTenLinesInWindows1251WithCrLf) {
  setup.settings = {10, std::string("Курьер"_cp), 6, 2, 4, 1, 66, -1, std::string("Принтер 1"_cp)};
  ASSERT_TRUE(SavePrintSettings(files, setup.settings));
  const std::string expected = std::string("Zetlogic-1.10\r\n10\r\n") + std::string("Курьер"_cp) +
                               "\r\n6\r\n2\r\n4\r\n1\r\n66\r\n-1\r\n" + std::string("Принтер 1"_cp) + "\r\n";
  EXPECT_EQ(ReadBytes(files.PrintSettingsFile()), expected);
}

TEST_F(PrintSettingsFileTest, SavedSettingsLoadBack) {
  const PrintSettings saved{14, "Courier New", 0, 20, 1, 1, 72, 96, "Office Jet"};
  ASSERT_TRUE(SavePrintSettings(files, saved));
  SubstitutePrinter printer({{"Office Jet"}});
  LoadPrintSettings(files, setup, printer, messages);
  ExpectSettings(setup.settings, saved);
}

TEST_F(PrintSettingsFileTest, TheTextReadsAsTheFileHoldingIt) {
  const PrintSettings saved{14, "Courier New", 0, 20, 1, 1, 72, 96, "Office Jet"};
  const std::string text = PrintSettingsText(saved);
  ASSERT_TRUE(SavePrintSettings(files, saved));
  EXPECT_EQ(ReadBytes(files.PrintSettingsFile()), text);

  PrintSetup fromText;
  SubstitutePrinter printer({{"PDF", "Office Jet"}});
  ASSERT_TRUE(PrintSettingsFromText(text, fromText, printer, messages));
  ExpectSettings(fromText.settings, saved);
  EXPECT_EQ(fromText.working.linesPerSheet, 72);
  EXPECT_EQ(printer.CurrentIndex(), 1);
  // Another version sets nothing; the text has no file to delete.
  PrintSetup other;
  EXPECT_FALSE(PrintSettingsFromText("Zetlogic-1.09\r\n12\r\n", other, printer, messages));
  ExpectDefaults(other.settings);
}

TEST_F(PrintSettingsFileTest, ALineBreakInsideANameCannotShiftTheLines) {
  PrintSettings s;
  s.storedPrinterName = "Office\r\nJet";
  ASSERT_TRUE(SavePrintSettings(files, s));
  const auto bytes = ReadBytes(files.PrintSettingsFile());
  EXPECT_EQ(bytes.substr(bytes.size() - 13), "\r\nOfficeJet\r\n");
}

TEST_F(PrintSettingsFileTest, ASettingsFileThatCannotBeWrittenIsIgnored) {
  const WorkingFiles nowhere(folder.path() / "missing");
  EXPECT_FALSE(SavePrintSettings(nowhere, setup.settings));
  EXPECT_FALSE(std::filesystem::exists(nowhere.PrintSettingsFile()));
}

using OddPrintSettingsFile = test::OddFileTest;

TEST_P(OddPrintSettingsFile, LeavesTheDefaults) {
  test::MakeOddFile(GetParam(), files.PrintSettingsFile());
  PrintSetup setup;
  SubstitutePrinter printer({{"P1"}});
  RecordingMessages messages;
  LoadPrintSettings(files, setup, printer, messages);
  ExpectDefaults(setup.settings);
  EXPECT_TRUE(messages.shown.empty());
  if (GetParam() == test::OddFile::BinaryJunk)
    EXPECT_FALSE(std::filesystem::exists(files.PrintSettingsFile())) << "no version tag: deleted";
  else
    EXPECT_TRUE(test::OddFileKept(GetParam(), files.PrintSettingsFile()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddPrintSettingsFile, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::report
