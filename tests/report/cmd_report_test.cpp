#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "core/sample_image.h"
#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {(std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()};
}

class ZtReportTest : public ::testing::Test {
 protected:
  ZtReportTest() : dir_(std::filesystem::temp_directory_path() / ("zt_report_cli_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir_);
    std::ofstream(Data(), std::ios::binary) << GenerateSampleImage(7);
  }
  ~ZtReportTest() override { std::filesystem::remove_all(dir_); }

  std::string Data() const { return (dir_ / "device.zt").string(); }
  std::filesystem::path Out() const { return dir_ / "out.txt"; }
  std::filesystem::path Work() const { return dir_ / "prog"; }

  int Run(std::vector<std::string> args) const {
    args.insert(args.begin(), Data());
    args.insert(args.end(), {"--workdir", Work().string()});
    return RunReport(args);
  }

  std::filesystem::path dir_;
};

TEST_F(ZtReportTest, WritesExactlyTheReportTextFile) {
  for (const char* archive : {"time", "oper"}) {
    ASSERT_EQ(Run({"--archive", archive, "--from", "01.01.2000 00:00:00", "--to", "24.11.2031 23:59:59", "-o",
                   Out().string()}),
              0)
        << archive;
    const std::string out = Bytes(Out());
    EXPECT_EQ(out, Bytes(Work() / "RepDay"));
    // "/отчет составлен:" in Windows-1251, and the closing rule line.
    EXPECT_EQ(out.rfind("/\xEE\xF2\xF7\xE5\xF2 \xF1\xEE\xF1\xF2\xE0\xE2\xEB\xE5\xED:", 0), 0u);
    EXPECT_EQ(out.substr(out.size() - 67), std::string(65, '-') + "\r\n");
    std::size_t lf = 0;
    while ((lf = out.find('\n', lf + 1)) != std::string::npos) ASSERT_EQ(out[lf - 1], '\r');
  }
}

TEST_F(ZtReportTest, BadPeriodAndEmptyPeriodPrintTheMessagesAndWriteNothing) {
  const struct {
    const char* from;
    const char* to;
    int code;
    const char* messages;
  } cases[] = {
      {"07.12.2026 09:00:00", "07.12.2026 08:59:59", 21,
       "ОШИБКА ВЫБОРА ДАТЫ !!!\nВ АРХИВЕ НЕТ ИНФОРМАЦИИ\nzt report: --from 07.12.2026 09:00:00 is after --to "
       "07.12.2026 08:59:59; give a period that begins before it ends\n"},
      {"30.02.2026 09:00:00", "07.12.2026 08:59:59", 21,
       "ОШИБКА ВЫБОРА ДАТЫ !!!\nВ АРХИВЕ НЕТ ИНФОРМАЦИИ\nzt report: --from 30.02.2026 is not a date from 01.01.2000 "
       "to 24.11.2031; give one in that range as DD.MM.YYYY\n"},
      {"01.01.2026 09:00:00", "25.11.2031 00:00:00", 21,
       "ОШИБКА ВЫБОРА ДАТЫ !!!\nВ АРХИВЕ НЕТ ИНФОРМАЦИИ\nzt report: --to 25.11.2031 is not a date from 01.01.2000 "
       "to 24.11.2031; give one in that range as DD.MM.YYYY\n"},
      {"31.12.1999 23:00:00", "01.01.2000 00:00:00", 21,
       "ОШИБКА ВЫБОРА ДАТЫ !!!\nВ АРХИВЕ НЕТ ИНФОРМАЦИИ\nzt report: --from 31.12.1999 is not a date from 01.01.2000 "
       "to 24.11.2031; give one in that range as DD.MM.YYYY\n"},
      {"01.01.2026 09:00:00", "02.01.2026 24:00:00", 21,
       "ОШИБКА ВЫБОРА ДАТЫ !!!\nВ АРХИВЕ НЕТ ИНФОРМАЦИИ\nzt report: --to 24:00:00 is not a time of day; give it as "
       "HH:MM:SS\n"},
      {"01.01.2000 00:00:00", "01.01.2000 00:00:00", 22, "В АРХИВЕ НЕТ ИНФОРМАЦИИ\n"},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"--archive", "time", "--from", c.from, "--to", c.to, "-o", Out().string()}), c.code) << c.from;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.messages);
    EXPECT_FALSE(std::filesystem::exists(Out()));
  }
}

TEST_F(ZtReportTest, UsageErrorsSayWhatIsWrong) {
  const std::string o = Out().string();
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"--archive", "time", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025 00:00:00"}, "-o OUT is missing"},
      {{"--archive", "day", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025 00:00:00", "-o", o}, "--archive"},
      {{"--archive", "oper", "--tables", "hourly", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025 00:00:00",
        "-o", o},
       "operational archive is all, sensors"},
      {{"--archive", "oper", "--short", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025 00:00:00", "-o", o},
       "--short"},
      {{"--archive", "time", "--from", "01.01.2025", "--to", "02.01.2025 00:00:00", "-o", o},
       "--from takes \"DD.MM.YYYY HH:MM:SS\""},
      {{"--archive", "time", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025", "-o", o},
       "--to takes \"DD.MM.YYYY HH:MM:SS\""},
      {{"--archive", "time", "--lang", "en", "--from", "01.01.2025 00:00:00", "--to", "02.01.2025 00:00:00", "-o", o},
       "--lang"},
      {{"--archive", "time", "--pages", "3"}, "unknown option --pages"},
  };
  for (const auto& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(c.args), 64);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.says), std::string::npos) << c.says;
  }
  EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_F(ZtReportTest, UnwritableOutputIsAnError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run({"--archive", "oper", "--from", "01.01.2000 00:00:00", "--to", "24.11.2031 23:59:59", "-o",
                 (dir_ / "missing" / "out.txt").string()}),
            5);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace zt::cli
