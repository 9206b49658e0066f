// Hand-made archive tables and the pieces a table writer needs, for the report tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/archive_table.h"
#include "core/device_image.h"
#include "report/build_control.h"
#include "report/period.h"
#include "report/report_lines.h"
#include "report/sorted_records.h"
#include "report/table_context.h"

namespace zt::report::testing {

// Texts in the tests are UTF-8; the tables hold Windows-1251.
struct HourRow {
  std::string date;  // "DD.MM.YYYY HH:MM"
  std::string service;
  std::string sensors;
  std::string fieldMinutes;
  std::string alarmMinutes;
  std::string comment;  // the ditto mark when no service bit is set
};
void SetHour(ArchiveTables& tables, std::size_t row, const HourRow& hour);

struct EventRow {
  std::string date;
  std::string serviceNow = "-\"-";
  std::string sensorsNow = "-\"-";
  std::string serviceBefore = "-\"-";
  std::string sensorsBefore = "-\"-";
  std::string control = "-\"-";
  std::string newTime = "-\"-";
};
void SetEvent(ArchiveTables& tables, std::size_t row, const EventRow& event);

ArchiveTables EmptyTables();

// A pump that counts its calls and may press F10 on a given call.
class CountingPump final : public EventPump {
 public:
  explicit CountingPump(StopRequest* stopOnCall = nullptr, int callNumber = 0)
      : stop_(stopOnCall), stopCall_(callNumber) {}
  void ProcessEvents() override {
    ++calls;
    if (stop_ != nullptr && calls == stopCall_) stop_->Set();
  }
  int calls = 0;

 private:
  StopRequest* stop_;
  int stopCall_;
};

// Everything one table writer runs on, over a period given as texts.
struct TableRun {
  TableRun(const ArchiveTable& table, std::string_view begin, std::string_view end, Language language,
           bool shortFormat = false, std::uint8_t sensorCount = 4);
  TableContext Context();

  const ArchiveTable& table;
  SortedRecords records;
  Period period;
  Language language;
  bool shortFormat;
  std::uint8_t sensorCount;
  MemoryReportLines out;
  StopRequest stop;
  CountingPump pump;
  YieldPoint yield{pump};
};

// The lines as UTF-8, for readable comparisons.
std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines);
std::string Blanks(std::size_t n);
std::string Dashes(std::size_t n);
// The Ukrainian sensor-state table down to its title rule, UTF-8, written out by hand.
std::vector<std::string> SensorStateFrameUk();

}  // namespace zt::report::testing
