#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "core/cp1251.h"
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

TEST_F(DataCommandsTest, AFileThatFailsToLoadIsNamedWithTheReasonAfterTheProgramsMessage) {
  const std::string opened = "Ошибка открытия файла!!!\n";
  const fs::path shortFile = folder.path() / "short.zt";
  test::WriteBytes(shortFile, image.substr(0, 32767));
  const fs::path damaged = folder.path() / "damaged.zt";
  std::string flipped = image;
  flipped[kParameterBlock.start + 36] ^= 1;
  test::WriteBytes(damaged, flipped);
  const fs::path fifo = folder.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // What `cat a.zt | zt info /dev/stdin` gives: a pipe with a writer.
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const std::string piped = "/proc/self/fd/" + std::to_string(pipeEnds[0]);
  const struct {
    std::string file;
    int code;
    std::string err;
  } cases[] = {
      {(folder.path() / "missing.zt").string(), 2,
       opened + "zt info: cannot load " + (folder.path() / "missing.zt").string() +
           ": there is no such file; check the name\n"},
      {folder.path().string(), 2,
       opened + "zt info: cannot load " + folder.path().string() + ": it is a folder; give a .zt file\n"},
      {shortFile.string(), 2,
       opened + "zt info: cannot load " + shortFile.string() +
           ": it is 32767 bytes, shorter than the 32768 bytes of the recorder's memory; give a complete .zt file\n"},
      // A named pipe without a writer is refused at once, not waited on.
      {fifo.string(), 2,
       opened + "zt info: cannot load " + fifo.string() +
           ": it is a pipe, not a file; save what comes through it to a file and give that\n"},
      {piped, 2,
       opened + "zt info: cannot load " + piped +
           ": it is a pipe, not a file; save what comes through it to a file and give that\n"},
      {damaged.string(), 4,
       "Ошибка чтения программируемых параметров!!!\nzt info: cannot load " + damaged.string() +
           ": its parameter block does not check: the file is damaged or not a recorder's memory\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = Capture(RunInfo, {c.file});
    EXPECT_EQ(r.code, c.code) << c.file;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
}

TEST_F(DataCommandsTest, DeviceTextsWithControlCharactersNeverReachTheTerminalRawNorSplitALine) {
  test::ParameterFields f;
  f.version = " Vorqel\x1B]0;x\x07";
  f.enterprise = "\xCE\xCE\xCE\r\nEvil\x1B[2J";  // ООО, CR LF, Evil, ESC [2J
  f.branch = "Br\x08\x7F";
  test::WriteBytes(file, test::ErasedImage(f));

  const Outcome info = Capture(RunInfo, {file});
  ASSERT_EQ(info.code, 0) << info.err;
  EXPECT_EQ(info.out, "00042\n4\n Vorqel␛]0;x␇\nООО␍␊Evil␛[2J\nBr␈␡\nMt\n\n");

  const Outcome show = Capture(RunShow, {file, "--rows", "0"});
  ASSERT_EQ(show.code, 0) << show.err;
  EXPECT_NE(show.out.find("Предприятие                 ООО␍␊Evil␛[2J\n"), std::string::npos) << show.out;
  EXPECT_EQ(show.out.find('\x1B'), std::string::npos);
  EXPECT_EQ(show.out.find('\r'), std::string::npos);

  // In the report the control characters are left out: the enterprise stays on its line.
  std::string withRecord = test::ErasedImage(f);
  test::PutAt(withRecord, 0, test::Record(60, 0x05, 0x30, 12, 7));
  test::WriteBytes(file, withRecord);
  const fs::path out = folder.path() / "report.txt";
  const Outcome report = Capture(RunReport, {file, "--archive", "time", "--from", "01.01.2000 00:00:00", "--to",
                                             "01.01.2001 00:00:00", "-o", out.string(), "--workdir",
                                             (folder.path() / "prog").string()});
  ASSERT_EQ(report.code, 0) << report.err;
  const std::string text = test::ReadBytes(out);
  EXPECT_NE(text.find("\r\n" + std::string("предприятие......... ОООEvil[2J"_cp) + "\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n" + std::string("ветка трубопровода.. Br"_cp) + "\r\n"), std::string::npos);
  EXPECT_EQ(text.find('\x1B'), std::string::npos);
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
      {RunInfo, {""}, "an empty file name; give the file's name"},
      {RunShow, {file, "--rows", "1", "--rows", "2"}, "option --rows is given twice; give it once"},
      {RunExport, {file, "--archive", "time", "--archive", "time"}, "option --archive is given twice"},
      {RunExport, {file, "--archive", "time", "-o", ""}, "option -o is empty; give it a value"},
      {RunSample, {"-o", ""}, "option -o is empty"},
      {RunReport, {file, "--workdir", ""}, "option --workdir is empty; give it a value"},
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
