#include "report/report_builder.h"

#include "core/cp1251.h"
#include "report/event_tables.h"
#include "report/header_footer.h"
#include "report/time_tables.h"

namespace zt::report {
namespace {

bool Wants(TableChoice choice, TableChoice table) { return choice == TableChoice::All || choice == table; }

}  // namespace

BuildResult ReportBuilder::Prepare(const ReportRequest& request, const std::filesystem::path& textFile) {
  request_ = request;
  timeRecords_.clear();
  operationalRecords_.clear();
  const auto period = ReadPeriod(request);
  BuildResult failure = BuildResult::Built;
  if (!period) {
    src_.messages.Show(MessageKind::Error, "ОШИБКА ВЫБОРА ДАТЫ !!!"_cp);
    failure = BuildResult::InvalidPeriod;
  } else {
    period_ = *period;
    if (src_.image.header[kHeaderSerial] == kDitto) {
      failure = BuildResult::NoData;
    } else if (request.archive == ArchiveKind::Time) {
      timeRecords_ = SortRecords(src_.tables.time);
      if (!AnyInPeriod(timeRecords_, period_)) failure = BuildResult::NoData;
    } else {
      operationalRecords_ = SortRecords(src_.tables.operational);
      if (!AnyInPeriod(operationalRecords_, period_)) failure = BuildResult::NoData;
    }
  }
  if (failure != BuildResult::Built) {
    src_.messages.Show(MessageKind::Warning, "В АРХИВЕ НЕТ ИНФОРМАЦИИ"_cp);
    return failure;
  }
  return out_.Create(textFile) ? BuildResult::Built : BuildResult::FileFailed;
}

void ReportBuilder::WriteHeader() { WriteReportHeader(out_, request_.language, src_.image, period_, src_.clock); }

void ReportBuilder::BuildTables() {
  const TableChoice choice = request_.tables;
  if (request_.archive == ArchiveKind::Time) {
    const TableContext c{src_.tables.time, timeRecords_, period_, request_.language, out_,
                         src_.yield,       src_.stop,    request_.shortFormat, src_.image.sensorCount};
    if (Wants(choice, TableChoice::Hourly)) {
      WriteHourlyTable(c);
      out_.WriteEmptyLine();
    }
    if (Wants(choice, TableChoice::Abnormal)) {
      WriteAbnormalSituationTable(c);
      out_.WriteEmptyLine();
    }
  } else {
    const TableContext c{src_.tables.operational, operationalRecords_, period_, request_.language, out_,
                         src_.yield,              src_.stop};
    if (Wants(choice, TableChoice::SensorStates)) WriteSensorStateTable(c);
    if (Wants(choice, TableChoice::ClockCorrection)) WriteClockCorrectionTable(c);
    if (Wants(choice, TableChoice::Controls)) WriteControlsTable(c);
  }
}

void ReportBuilder::WriteFooter() { WriteReportFooter(out_, request_.language, period_); }

BuildResult ReportBuilder::Close() {
  if (!out_.Close()) return BuildResult::WriteFailed;
  return src_.stop.IsSet() ? BuildResult::Stopped : BuildResult::Built;
}

BuildResult BuildReport(const ReportSources& sources, StopRequest& stop, const ReportRequest& request,
                        const WorkingFiles& files) {
  stop.Clear();
  sources.yield.Reset();
  ReportBuilder builder(sources);
  const BuildResult prepared = builder.Prepare(request, files.ReportTextFile());
  if (prepared != BuildResult::Built) return prepared;
  builder.WriteHeader();
  builder.BuildTables();
  builder.WriteFooter();
  return builder.Close();
}

}  // namespace zt::report
