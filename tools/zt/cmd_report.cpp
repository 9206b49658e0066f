// zt report: the report text of a data file over a period, as RepDay holds it.
#include <iostream>
#include <map>
#include <optional>

#include "core/conversions.h"
#include "core/copy_over_file.h"
#include "report/period.h"
#include "report/report_builder.h"
#include "tools/zt/args.h"
#include "tools/zt/commands.h"
#include "tools/zt/console.h"
#include "tools/zt/data_view.h"
#include "tools/zt/output.h"
#include "tools/zt/report_sheets.h"
#include "tools/zt/tool_folder.h"

namespace zt::cli {
namespace {

constexpr int kUsageError = 64;
// A build that ends without a report exits with 20 + its result code.
constexpr int kBuildErrorBase = 20;
// The days a recorder's time stamp can name.
constexpr const char* kFirstDate = "01.01.2000";
constexpr const char* kLastDate = "24.11.2031";

constexpr const char* kUsage =
    "usage: zt report FILE --archive time|oper [--tables all|hourly|alarms|sensors|clock|controls] [--short]\n"
    "         --from \"DD.MM.YYYY HH:MM:SS\" --to \"DD.MM.YYYY HH:MM:SS\" [--lang ru|uk] [--workdir DIR] -o OUT\n"
    "         [--sheets SHEETDIR --lines P --chars C [--indent LI] [--top TM] [--bottom BM]]\n"
    "  hourly and alarms are tables of the time archive, sensors, clock and controls of the operational one;\n"
    "  RepDay is built in DIR (default: the program folder, see zt --version) and copied to OUT;\n"
    "  --sheets also cuts it into the sheet files RpList1, RpList2, ... in SHEETDIR (P lines, C characters a sheet;\n"
    "  indent 5, margins 3 and 3 unless given) and prints their number.";

int UsageError(const std::string& what) {
  std::cerr << "zt report: " << what << '\n' << kUsage << '\n';
  return kUsageError;
}

struct DateAndTime {
  std::string date;
  std::string time;
};

// "DD.MM.YYYY HH:MM:SS" split at its blank; the builder judges the values.
std::optional<DateAndTime> SplitDateTime(const std::string& text) {
  const auto blank = text.find(' ');
  if (blank == std::string::npos) return std::nullopt;
  const auto timeStart = text.find_first_not_of(' ', blank);
  if (blank == 0 || timeStart == std::string::npos) return std::nullopt;
  return DateAndTime{text.substr(0, blank), text.substr(timeStart)};
}

std::optional<report::TableChoice> TableChoiceOf(const std::string& name, ArchiveKind archive) {
  using report::TableChoice;
  const std::map<std::string, std::pair<TableChoice, bool>> names = {
      // name -> choice and whether it belongs to the time archive
      {"hourly", {TableChoice::Hourly, true}},
      {"alarms", {TableChoice::Abnormal, true}},
      {"sensors", {TableChoice::SensorStates, false}},
      {"clock", {TableChoice::ClockCorrection, false}},
      {"controls", {TableChoice::Controls, false}},
  };
  if (name == "all") return TableChoice::All;
  const auto it = names.find(name);
  if (it == names.end() || it->second.second != (archive == ArchiveKind::Time)) return std::nullopt;
  return it->second.first;
}

std::optional<report::ReportRequest> RequestOf(const Args& args, std::string& error) {
  report::ReportRequest request;
  const std::string archive = args.Get("--archive").value_or("");
  if (archive != "time" && archive != "oper") {
    error = "--archive is time or oper";
    return std::nullopt;
  }
  request.archive = archive == "time" ? ArchiveKind::Time : ArchiveKind::Operational;
  const auto tables = TableChoiceOf(args.Get("--tables").value_or("all"), request.archive);
  if (!tables) {
    error = request.archive == ArchiveKind::Time ? "--tables for the time archive is all, hourly or alarms"
                                                          : "--tables for the operational archive is all, sensors, "
                                                            "clock or controls";
    return std::nullopt;
  }
  request.tables = *tables;
  request.shortFormat = args.Has("--short");
  if (request.shortFormat && request.archive != ArchiveKind::Time) {
    error = "--short is for the time archive only";
    return std::nullopt;
  }
  const std::string lang = args.Get("--lang").value_or("ru");
  if (lang != "ru" && lang != "uk") {
    error = "--lang is ru or uk";
    return std::nullopt;
  }
  request.language = lang == "uk" ? report::Language::Ukrainian : report::Language::Russian;
  const auto from = SplitDateTime(args.Get("--from").value_or(""));
  const auto to = SplitDateTime(args.Get("--to").value_or(""));
  if (!from || !to) {
    error = std::string(!from ? "--from" : "--to") + " takes \"DD.MM.YYYY HH:MM:SS\"";
    return std::nullopt;
  }
  request.beginDate = from->date;
  request.beginTime = from->time;
  request.endDate = to->date;
  request.endTime = to->time;
  return request;
}

// Which end of a period the builder refused, and why, naming its option.
std::string PeriodFault(const report::ReportRequest& request) {
  const struct {
    const char* option;
    const std::string& date;
    const std::string& time;
  } ends[] = {{"--from", request.beginDate, request.beginTime}, {"--to", request.endDate, request.endTime}};
  for (const auto& end : ends) {
    const NormalisedDate date = NormaliseDateText(end.date);
    if (!date.valid)
      return std::string(end.option) + " " + end.date + " is not a date from " + kFirstDate + " to " + kLastDate +
             "; give one in that range as DD.MM.YYYY";
    if (!report::ParseDateTime(date.text + " " + DigitsWithTimeSeparators(end.time)))
      return std::string(end.option) + " " + end.time + " is not a time of day; give it as HH:MM:SS";
  }
  return "--from " + request.beginDate + " " + request.beginTime + " is after --to " + request.endDate + " " +
         request.endTime + "; give a period that begins before it ends";
}

}  // namespace

int RunReport(const CommandArgs& argv) {
  std::string error;
  const auto args =
      ParseArgs(argv, WithSheetOptions({"--archive", "--tables", "--from", "--to", "--lang", "--workdir", "-o"}),
                {"--short"}, error);
  if (!args) return UsageError(error);
  if (args->positional.size() != 1) return UsageError("give one data file");
  const auto out = args->Get("-o");
  if (!out) return UsageError("-o OUT is missing");
  const auto request = RequestOf(*args, error);
  if (!request) return UsageError(error);
  const auto sheets = SheetRequestOf(*args, error);
  if (!sheets) return UsageError(error);

  const WorkingFiles files = ToolFiles(args->Get("--workdir"));
  std::error_code ec;
  std::filesystem::create_directories(files.ProgramFolder(), ec);
  if (ec) {
    std::cerr << "zt report: cannot create " << files.ProgramFolder() << ": " << ec.message() << '\n';
    return kWriteError;
  }

  // RepDay is built first and copied to OUT, then cut into the sheets.
  std::vector<std::filesystem::path> outputs = {files.ReportTextFile(), *out};
  for (auto& sheet : ExistingSheetFiles(*sheets)) outputs.push_back(std::move(sheet));
  if (const int code = RefuseOverlappingFiles("report", {args->positional[0]}, outputs)) return code;

  LoadedData data;
  if (const int code = LoadForInspection("report", args->positional[0], data, files)) return code;

  ConsoleMessages messages;
  report::NoEventPump pump;
  report::YieldPoint yield(pump);
  report::StopRequest stop;
  const SystemClock clock;
  const report::ReportSources sources{data.tables, data.image, clock, messages, yield, stop};
  const report::BuildResult result = report::BuildReport(sources, stop, *request, files);
  if (result == report::BuildResult::FileFailed || result == report::BuildResult::WriteFailed)
    std::cerr << "zt report: cannot write " << files.ReportTextFile() << '\n';
  if (result == report::BuildResult::InvalidPeriod) std::cerr << "zt report: " << PeriodFault(*request) << '\n';
  if (result != report::BuildResult::Built) return kBuildErrorBase + static_cast<int>(result);

  // RepDay is complete here; the sheets of a paginated report are cut from it.
  // OUT may be /dev/stdout.
  if (CopyOverFile(*out, files.ReportTextFile(), messages, SameFileCopy::Refused, OutputTargets::FilesAndDevices))
    return WriteSheets(*sheets, files.ReportTextFile(), messages);
  std::cerr << "zt report: cannot write " << *out << '\n';
  return kWriteError;
}

}  // namespace zt::cli
