#include "report/report_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

#include "core/cp1251.h"
#include "tests/report/archive_fixture.h"

namespace zt::report {
namespace {

using testing::Blanks;
using testing::Dashes;
using testing::HourRow;
using testing::SetHour;

const std::string kDitto = "-\"-";

DecodedImage Identity() {
  DecodedImage image;
  image.header[kHeaderSerial] = "00042";
  image.header[kHeaderSensorCount] = "4";
  image.header[kHeaderVersion] = "ZT v1";
  image.header[kHeaderEnterprise] = Utf8ToCp1251("Облгаз");
  image.header[kHeaderBranch] = Utf8ToCp1251("Нитка 2");
  image.header[kHeaderMeter] = "G100";
  image.sensorMask = 0x000F;
  image.sensorCount = 4;
  return image;
}

class ReportBuilderTest : public ::testing::Test {
 protected:
  ReportBuilderTest()
      : folder_(std::filesystem::temp_directory_path() / ("zt_builder_" + std::to_string(::getpid()))),
        files_(folder_),
        tables_(testing::EmptyTables()),
        image_(Identity()),
        clock_({2026, 12, 7, 10, 30, 15}) {
    std::filesystem::create_directories(folder_);
  }
  ~ReportBuilderTest() override { std::filesystem::remove_all(folder_); }

  ReportRequest Request(ArchiveKind archive, TableChoice tables, Language language) const {
    ReportRequest r;
    r.archive = archive;
    r.tables = tables;
    r.language = language;
    r.beginDate = "07.12.2026";
    r.beginTime = "00:00:00";
    r.endDate = "07.12.2026";
    r.endTime = "23:59:59";
    return r;
  }

  BuildResult Build(const ReportRequest& request) {
    const ReportSources sources{tables_, image_, clock_, messages_, yield_, stop_};
    return BuildReport(sources, stop_, request, files_);
  }

  std::string FileBytes() const {
    std::ifstream in(files_.ReportTextFile(), std::ios::binary);
    return {(std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()};
  }

  // The file's lines as UTF-8; every line must end with CR LF.
  std::vector<std::string> FileLines() const {
    const std::string bytes = FileBytes();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << "last line without CR LF";
        break;
      }
      const std::string line = bytes.substr(start, end - start);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
      lines.push_back(Cp1251ToUtf8(line));
      start = end + 2;
    }
    return lines;
  }

  std::filesystem::path folder_;
  WorkingFiles files_;
  ArchiveTables tables_;
  DecodedImage image_;
  FixedClock clock_;
  RecordingMessages messages_;
  StopRequest stop_;
  testing::CountingPump pump_;
  YieldPoint yield_{pump_};
};

const std::vector<std::string> kFooterRu = {
    "",
    "Заключение ______________________________________________________",
    "",
    "Оператор   __________________        _________________________",
    "               (подпись)                 (инициалы,фамилия) ",
    "",
    "",
    "     Конец отчета за период c 07.12.2026 00:00:00г. по 07.12.2026 23:59:59г.",
    "",
    "",
    Dashes(65),
};

// The Ukrainian header of the fixture's identity and period, and its footer.
const std::vector<std::string> kHeaderUk = {
    "/звіт складен:07.12.2026 10:30:15/",
    "",
    "",
    Blanks(15) + "Реєстратор магнітного поля №00042",
    "",
    "кількість датчиків.. 4",
    "підприємство........ Облгаз",
    "нитка трубопроводу.. Нитка 2",
    "лічильник........... G100",
    "",
    "звіт за період з 07.12.2026 00:00:00 по 07.12.2026 23:59:59",
    "",
};

const std::vector<std::string> kFooterUk = {
    "",
    "Висновок ______________________________________________________",
    "",
    "Випробувач   __________________        _________________________",
    "               (підпис)                 (ініціали,прізвище) ",
    "",
    "",
    "     Кінець звіту за період з 07.12.2026 00:00:00р. по 07.12.2026 23:59:59р.",
    "",
    "",
    Dashes(65),
};

TEST_F(ReportBuilderTest, RussianHourlyReportWholeFile) {
  SetHour(tables_, 2, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  ReportRequest r = Request(ArchiveKind::Time, TableChoice::Hourly, Language::Russian);
  r.shortFormat = true;
  ASSERT_EQ(Build(r), BuildResult::Built);
  std::vector<std::string> expected = {
      "/отчет составлен:07.12.2026 10:30:15/",
      "",
      "",
      Blanks(15) + "Регистратор магнитного поля №00042",
      "",
      "количество датчиков. 4",
      "предприятие......... Облгаз",
      "ветка трубопровода.. Нитка 2",
      "счетчик............. G100",
      "отчет за период c 07.12.2026 00:00:00 по 07.12.2026 23:59:59",
      "",
      "",
      Blanks(25) + "Почасовые данные",
      Dashes(67),
      "|       Дата      |Сост.датчиков магнитного поля|Продолж.воздейст.|",
      "|                 |                             |маг.поля (время) |",
      Dashes(67),
      "|Итого за период  |0001                         |0дн.00ч.00м.     |",
      Dashes(67),
      "",
  };
  expected.insert(expected.end(), kFooterRu.begin(), kFooterRu.end());
  EXPECT_EQ(FileLines(), expected);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ReportBuilderTest, PeriodLinesUseTheLatinLetterC) {
  SetHour(tables_, 2, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  ASSERT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::Built);
  const std::string bytes = FileBytes();
  EXPECT_NE(bytes.find(std::string("\xEE\xF2\xF7\xE5\xF2 \xE7\xE0 \xEF\xE5\xF0\xE8\xEE\xE4 c 07")), std::string::npos);
  EXPECT_NE(bytes.find(std::string("\xCA\xEE\xED\xE5\xF6 \xEE\xF2\xF7\xE5\xF2\xE0 \xE7\xE0 \xEF\xE5\xF0\xE8\xEE\xE4 c 07")),
            std::string::npos);
  EXPECT_EQ(bytes.find(std::string("\xEF\xE5\xF0\xE8\xEE\xE4 \xF1 ")), std::string::npos);  // no Cyrillic es
}

TEST_F(ReportBuilderTest, UkrainianHeaderHasOneMoreLine) {
  SetHour(tables_, 2, {"07.12.2026 09:00", "0010", "0001", "0", "7", "вмешательст./"});
  ASSERT_EQ(Build(Request(ArchiveKind::Time, TableChoice::Abnormal, Language::Ukrainian)), BuildResult::Built);
  const std::vector<std::string> lines = FileLines();
  ASSERT_GT(lines.size(), kHeaderUk.size() + 2);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 12), kHeaderUk);
  EXPECT_EQ(lines[12], "");  // the table's own first line
  EXPECT_EQ(lines[13], Blanks(18) + "Повідомлення про позаштатні ситуаціі");
  EXPECT_EQ(std::vector<std::string>(lines.end() - 11, lines.end()), kFooterUk);
  EXPECT_EQ(lines[lines.size() - 12], "");  // the empty line after the time-archive table
}

// The operational tables follow one another with no empty line of the
// builder's own; a record that is both a control and a clock correction
// appears in those two tables only.
TEST_F(ReportBuilderTest, UkrainianOperationalReportWholeFile) {
  testing::EventRow change{"07.12.2026 10:15"};
  change.serviceBefore = "0011";
  change.sensorsBefore = "0001";
  change.serviceNow = "0000";
  change.sensorsNow = "0011";
  testing::SetEvent(tables_, 2, change);
  testing::EventRow both{"07.12.2026 11:00"};
  both.control = "5";
  both.newTime = "07.12.2026 12:00";
  testing::SetEvent(tables_, 1, both);
  ASSERT_EQ(Build(Request(ArchiveKind::Operational, TableChoice::All, Language::Ukrainian)), BuildResult::Built);
  std::vector<std::string> expected = kHeaderUk;
  std::vector<std::string> tables = testing::SensorStateFrameUk();
  tables.insert(tables.end(), {
      "|07.12.2026 10:15 |Р-В|0001          |0-0|0011          |",
      Dashes(57),
      "Прімитки  :  С/Б - службові біти",
      Blanks(13) + "В - втручання, Р - розмикання, О - немає події",
      "",
      Blanks(18) + "Корекція часу",
      Dashes(37),
      "|     Дата було   |    Дата стало   |",
      Dashes(37),
      "|07.12.2026 11:00 |07.12.2026 12:00 |",
      Dashes(37),
      "",
      Blanks(3) + "Таблиця проведених контролів реєстратора",
      Dashes(43),
      "|     Дата        |Кількість контролів    |",
      Dashes(43),
      "|07.12.2026 11:00 |5                      |",
      Dashes(43),
  });
  expected.insert(expected.end(), tables.begin(), tables.end());
  expected.insert(expected.end(), kFooterUk.begin(), kFooterUk.end());
  EXPECT_EQ(FileLines(), expected);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ReportBuilderTest, TableOrderFollowsTheChoice) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0010", "0001", "0", "7", "вмешательст./"});
  testing::EventRow e{"07.12.2026 09:05"};
  e.control = "3";
  e.newTime = "07.12.2026 09:10";
  testing::SetEvent(tables_, 1, e);
  const struct {
    ArchiveKind archive;
    TableChoice choice;
    std::vector<std::string> titles;
  } cases[] = {
      {ArchiveKind::Time, TableChoice::All, {"Почасовые данные", "Сообщения о нештатных ситуациях"}},
      {ArchiveKind::Time, TableChoice::Abnormal, {"Сообщения о нештатных ситуациях"}},
      {ArchiveKind::Time, TableChoice::Controls, {}},
      {ArchiveKind::Operational,
       TableChoice::All,
       {"Состояние датчиков", "Коррекция времени", "Таблица проведенных контролей регистратора"}},
      {ArchiveKind::Operational, TableChoice::ClockCorrection, {"Коррекция времени"}},
      {ArchiveKind::Operational, TableChoice::Controls, {"Таблица проведенных контролей регистратора"}},
  };
  const std::vector<std::string> allTitles = {"Почасовые данные", "Сообщения о нештатных ситуациях",
                                              "Состояние датчиков", "Коррекция времени",
                                              "Таблица проведенных контролей регистратора"};
  for (const auto& c : cases) {
    ASSERT_EQ(Build(Request(c.archive, c.choice, Language::Russian)), BuildResult::Built);
    std::vector<std::string> seen;
    for (const auto& line : FileLines()) {
      const auto first = line.find_first_not_of(' ');
      if (first == std::string::npos || first == 0) continue;
      for (const auto& t : allTitles)
        if (line.substr(first) == t) seen.push_back(t);
    }
    EXPECT_EQ(seen, c.titles);
  }
}

TEST_F(ReportBuilderTest, InvalidPeriodShowsBothBoxesAndWritesNothing) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  ReportRequest r = Request(ArchiveKind::Time, TableChoice::All, Language::Russian);
  r.beginTime = "09:00:00";
  r.endTime = "08:59:59";
  EXPECT_EQ(Build(r), BuildResult::InvalidPeriod);
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].first, MessageKind::Error);
  EXPECT_EQ(Cp1251ToUtf8(messages_.shown[0].second), "ОШИБКА ВЫБОРА ДАТЫ !!!");
  EXPECT_EQ(messages_.shown[1].first, MessageKind::Warning);
  EXPECT_EQ(Cp1251ToUtf8(messages_.shown[1].second), "В АРХИВЕ НЕТ ИНФОРМАЦИИ");
  EXPECT_FALSE(std::filesystem::exists(files_.ReportTextFile()));
}

TEST_F(ReportBuilderTest, NoInformationCases) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  // An operational archive without dates, a time archive outside the period, nothing loaded.
  ReportRequest outside = Request(ArchiveKind::Time, TableChoice::All, Language::Russian);
  outside.beginTime = outside.endTime = "09:00:01";
  const ReportRequest oper = Request(ArchiveKind::Operational, TableChoice::All, Language::Russian);
  EXPECT_EQ(Build(oper), BuildResult::NoData);
  EXPECT_EQ(Build(outside), BuildResult::NoData);
  image_.header[kHeaderSerial] = kDitto;
  EXPECT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::NoData);
  ASSERT_EQ(messages_.shown.size(), 3u);
  for (const auto& [kind, text] : messages_.shown) {
    EXPECT_EQ(kind, MessageKind::Warning);
    EXPECT_EQ(Cp1251ToUtf8(text), "В АРХИВЕ НЕТ ИНФОРМАЦИИ");
  }
  EXPECT_FALSE(std::filesystem::exists(files_.ReportTextFile()));
}

TEST_F(ReportBuilderTest, PeriodOfOneMinuteSelectsThatRecord) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  SetHour(tables_, 2, {"07.12.2026 10:00", "0000", "0011", "0", "0", kDitto});
  ReportRequest r = Request(ArchiveKind::Time, TableChoice::Hourly, Language::Russian);
  r.beginTime = r.endTime = "10:00:00";
  ASSERT_EQ(Build(r), BuildResult::Built);
  const auto lines = FileLines();
  EXPECT_EQ(lines[17], "|07.12.2026 10:00 |0011                         |0мин.            |");
  EXPECT_EQ(lines[19], "|Итого за период  |0011                         |0дн.00ч.00м.     |");
}

TEST_F(ReportBuilderTest, FileThatCannotBeCreatedEndsWithoutAMessage) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  std::filesystem::create_directory(files_.ReportTextFile());  // a folder where the file should go
  EXPECT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::FileFailed);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ReportBuilderTest, StopKeepsHeaderAndFooterAndSkipsRows) {
  for (std::size_t r = 1; r <= 24; ++r)
    SetHour(tables_, r,
            {"07.12.2026 " + std::string(r - 1 < 10 ? "0" : "") + std::to_string(r - 1) + ":00", "0000", "0001", "5",
             "0", kDitto});
  stop_.Set();  // a stop left from before is cleared by the new build
  pump_ = testing::CountingPump(&stop_, 1);
  EXPECT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::Stopped);
  const auto lines = FileLines();
  // 24 hourly rows lie before the 100th entry; the stop there drops the total.
  ASSERT_EQ(lines.size(), 11u + 6 + 48 + 2 + 1 + 6 + 2 + 1 + 11);
  EXPECT_EQ(lines[0], "/отчет составлен:07.12.2026 10:30:15/");
  EXPECT_EQ(lines[11 + 6 + 48], "------Записей не было------");
  EXPECT_EQ(lines[11 + 6 + 48 + 3 + 6], "------Записей не было------");
  EXPECT_EQ(lines.back(), Dashes(65));
  // The first table stopped at its 100th entry; the second stops at its first.
  EXPECT_EQ(yield_.Calls(), 101u);
}

TEST_F(ReportBuilderTest, YieldCountStartsAfreshForEveryBuild) {
  SetHour(tables_, 1, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  ASSERT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::Built);
  EXPECT_EQ(yield_.Calls(), 2u * 2048);
  ASSERT_EQ(Build(Request(ArchiveKind::Time, TableChoice::All, Language::Russian)), BuildResult::Built);
  EXPECT_EQ(yield_.Calls(), 2u * 2048);
  EXPECT_EQ(pump_.calls, 2 * 40);
}

}  // namespace
}  // namespace zt::report
