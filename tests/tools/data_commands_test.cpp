#include <gtest/gtest.h>

#include <sstream>

#include "core/device_image.h"
#include "core/sample_image.h"
#include "tests/core/image_builder.h"
#include "tests/tools/capture.h"
#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

namespace fs = std::filesystem;

class DataCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ParameterFields f;
    f.serial = 42;
    f.sensorMask = 0x000F;
    f.clock = 1440;
    f.enterprise = "\xCE\xCE\xCE \"\xC3\xE0\xE7\"";  // ООО "Газ"
    image = test::ErasedImage(f);
    test::PutAt(image, 0, test::Record(60, 0x05, 0x30, 12, 7));
    test::PutAt(image, kOperationalArchive.start, test::Record(1, 0x05, 0x00, 0x00, 0x80));
    file = (folder.path() / "a.zt").string();
    test::WriteBytes(file, image);
  }
  test::TempFolder folder;
  std::string image;
  std::string file;
};

TEST_F(DataCommandsTest, InfoPrintsTheSevenHeaderTextsInUtf8) {
  const Outcome r = Capture(RunInfo, {file});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "00042\n4\n Vorqel test\nООО \"Газ\"\nBr\nMt\n02.01.2000 00:00\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(DataCommandsTest, ExportGivesEveryCellAsCsv) {
  const fs::path out = folder.path() / "time.csv";
  ASSERT_EQ(Capture(RunExport, {file, "--archive", "time", "-o", out.string()}).code, 0);
  const std::string csv = test::ReadBytes(out);
  std::istringstream lines(csv);
  std::string title, first, second;
  std::getline(lines, title);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(title, "N зап.,Дата/Время,Служ.биты,Сост.датчиков,Вр.возд.маг.поля,Время аварий,Коментарий служебных бит\r");
  EXPECT_EQ(first, "0000,01.01.2000 01:00,0011,0101,12,7,вмешательст./разомк./\r");
  EXPECT_EQ(second, "0001,\"-\"\"-\",\"-\"\"-\",\"-\"\"-\",\"-\"\"-\",\"-\"\"-\",\"-\"\"-\"\r");
  std::size_t rows = 0;
  for (char c : csv) rows += c == '\n';
  EXPECT_EQ(rows, 2049u);

  const Outcome oper = Capture(RunExport, {file, "--archive", "oper"});
  EXPECT_EQ(oper.code, 0);
  EXPECT_NE(oper.out.find("\r\n0000,01.01.2000 00:01,\"-\"\"-\",\"-\"\"-\",\"-\"\"-\",\"-\"\"-\",5,\"-\"\"-\",контроль\r\n"),
            std::string::npos);
}

TEST_F(DataCommandsTest, FailedLoadsExitWithTheirCodeAndMessage) {
  const fs::path shortFile = folder.path() / "short.zt";
  test::WriteBytes(shortFile, image.substr(0, 20000));
  const Outcome opened = Capture(RunInfo, {shortFile.string()});
  EXPECT_EQ(opened.code, 2);
  EXPECT_EQ(opened.err, "Ошибка открытия файла!!!\n");
  EXPECT_EQ(opened.out, "");

  image[kParameterBlock.start + 36] ^= 1;
  test::WriteBytes(file, image);
  const Outcome invalid = Capture(RunExport, {file, "--archive", "time"});
  EXPECT_EQ(invalid.code, 4);
  EXPECT_EQ(invalid.err, "Ошибка чтения программируемых параметров!!!\n");
}

TEST_F(DataCommandsTest, UsageErrorsSayWhatIsWrong) {
  const struct {
    int (*command)(const CommandArgs&);
    CommandArgs args;
    const char* says;
  } cases[] = {
      {RunInfo, {}, "usage: zt info FILE"},
      {RunExport, {file}, "usage: zt export"},
      {RunExport, {file, "--archive", "hourly"}, "--archive is time or oper"},
      {RunExport, {file, "--archive"}, "option --archive needs a value"},
      {RunSample, {"--seed", "x", "-o", "f"}, "--seed takes a whole number"},
      {RunSample, {"--colour"}, "unknown option --colour"},
      {RunShow, {file, "--rows", "-1"}, "usage: zt show"},
  };
  for (const auto& c : cases) {
    const Outcome r = Capture(c.command, c.args);
    EXPECT_EQ(r.code, 64) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST_F(DataCommandsTest, SampleWritesTheGeneratedImageAndKeepsAFileItCannotReplace) {
  const fs::path out = folder.path() / "s.zt";
  ASSERT_EQ(Capture(RunSample, {"--seed", "3", "-o", out.string()}).code, 0);
  EXPECT_EQ(test::ReadBytes(out), GenerateSampleImage(3));
  const Outcome r = Capture(RunSample, {"-o", (folder.path() / "missing" / "s.zt").string()});
  EXPECT_NE(r.code, 0);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

TEST_F(DataCommandsTest, ShowPrintsTheHeaderAndTheCurrentRows) {
  const Outcome r = Capture(RunShow, {file, "--rows", "1"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("00042"), std::string::npos);
  EXPECT_NE(r.out.find("0000    01.01.2000 01:00  0011"), std::string::npos);
  EXPECT_NE(r.out.find("1 of 2048 records present"), std::string::npos);
}

}  // namespace
}  // namespace zt::cli
