// zt read and write refuse bad input with its reason before the ten seconds
// of a reading, and tell a refused password from one that is no number.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/core/image_builder.h"
#include "tests/tools/capture.h"
#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

namespace fs = std::filesystem;

class DeviceCommandsTest : public ::testing::Test {
 protected:
  // The progress line is drawn only when stderr is a terminal: never here.
  void SetUp() override { ::testing::internal::CaptureStderr(); }
  void TearDown() override { ::testing::internal::GetCapturedStderr(); }

  std::string Program() const { return (folder.path() / "prog").string(); }
  std::string Out() const { return (folder.path() / "out.zt").string(); }

  test::TempFolder folder;
};

TEST_F(DeviceCommandsTest, APasswordThatIsNotANumberIsToldApartAfterTheProgramsMessage) {
  for (const char* password : {"12a", " ", "1.5"}) {
    const Outcome r = Capture(RunRead, {"--port", "/nonexistent/port", "--password", password, "-o", Out(),
                                        "--workdir", Program()});
    EXPECT_EQ(r.code, 12) << password;
    EXPECT_EQ(r.err, "Ошибка пароля!!!\nzt read: the password \"" + std::string(password) +
                         "\" is not a number; give the recorder's password as a whole number\n");
    EXPECT_FALSE(fs::exists(Out()));
  }
}

TEST_F(DeviceCommandsTest, AFolderGivenAsThePortIsNotASerialPort) {
  const std::string dir = folder.path().string();
  const Outcome r = Capture(RunRead, {"--port", dir, "--password", "1234", "-o", Out(), "--workdir", Program()});
  EXPECT_EQ(r.code, 13);
  EXPECT_EQ(r.err, "Ошибка порта!!!\nzt: " + dir +
                       " is not a serial port; give COMn or the adapter's device, such as /dev/ttyUSB0\n");
}

TEST_F(DeviceCommandsTest, AnOutputThatCannotBeWrittenIsRefusedBeforeThePortIsTouched) {
  const std::string out = (folder.path() / "missing" / "a.zt").string();
  // The port names nothing: trying it would end in "Ошибка порта!!!" and 13.
  const Outcome r =
      Capture(RunRead, {"--port", "/nonexistent/port", "--password", "1234", "-o", out, "--workdir", Program()});
  EXPECT_EQ(r.code, 5);
  EXPECT_EQ(r.err, "zt read: cannot write " + out + ": No such file or directory; nothing was read\n");
  EXPECT_FALSE(fs::exists(Program()));
}

TEST_F(DeviceCommandsTest, BadRequestsAreRefusedWithTheirReason) {
  const std::string thirty = "Счетчик газа номер 12345678901";  // 30 characters
  const struct {
    int (*run)(const CommandArgs&);
    CommandArgs args;
    int code;
    std::string says;
  } cases[] = {
      {RunWrite, {"--meter", thirty + "2"}, 64,
       "zt write: --meter is 31 characters long; the recorder keeps 30: shorten it\n"},
      {RunWrite, {"--enterprise", "Gas\x1B[2J"}, 64,
       "zt write: --enterprise has the control character 0x1B at character 4; give printable characters only\n"},
      {RunWrite, {"--branch", "North\nSouth"}, 64,
       "zt write: --branch has the control character 0x0A at character 6; give printable characters only\n"},
      {RunWrite, {"--meter", "bell\a"}, 64,
       "zt write: --meter has the control character 0x07 at character 5; give printable characters only\n"},
      {RunWrite, {"--meter", "\xE6\x97\xA5"}, 64, "zt write: --meter has characters the recorder cannot show\n"},
      {RunWrite, {"--meter", "a", "--meter", "b"}, 64, "zt write: option --meter is given twice; give it once\n"},
      {RunRead, {"-o", "a.zt", "--workdir", ""}, 64, "zt read: option --workdir is empty; give it a value\n"},
      {RunRead, {"-o", ""}, 64, "zt read: option -o is empty; give it a value\n"},
      {RunSearch, {"--workdir", ""}, 64, "zt search: option --workdir is empty; give it a value\n"},
      {RunRead, {"--port", "COM1", "--port", "COM2"}, 64, "zt read: option --port is given twice; give it once\n"},
      // Thirty characters and an empty text are what the recorder keeps: taken, and the
      // port (which names nothing) is tried.
      {RunWrite, {"--meter", thirty, "--enterprise", "", "--branch", "B"}, 13, "Ошибка порта!!!\n"},
  };
  for (const auto& c : cases) {
    CommandArgs args = c.args;
    if (c.run != RunSearch && args[0] != "--port")
      args.insert(args.begin(), {"--port", "/nonexistent/port", "--password", "1234"});
    const Outcome r = Capture(c.run, args);
    EXPECT_EQ(r.code, c.code) << c.says;
    EXPECT_EQ(r.err.substr(0, c.says.size()), c.says);
  }
  EXPECT_FALSE(fs::exists(Program()));
}

}  // namespace
}  // namespace zt::cli
