// zt sample, info, export and demo: device-data files without a recorder.
#include <iostream>
#include <optional>

#include "core/archive_table.h"
#include "core/file_load.h"
#include "core/sample_image.h"
#include "tools/zt/args.h"
#include "tools/zt/commands.h"
#include "tools/zt/console.h"
#include "tools/zt/data_view.h"
#include "tools/zt/output.h"
#include "tools/zt/tool_folder.h"

namespace zt::cli {
namespace {

constexpr int kUsageError = 64;

int UsageError(const std::string& command, const std::string& what) {
  std::cerr << "zt " << command << ": " << what << '\n';
  return kUsageError;
}

std::optional<std::uint64_t> SeedOption(const Args& args) {
  const auto text = args.Get("--seed");
  if (!text) return 1;
  const auto n = ParseNumber(*text);
  if (!n) return std::nullopt;
  return static_cast<std::uint64_t>(*n);
}

}  // namespace

int RunSample(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--seed", "-o"}, {}, error);
  if (!args) return UsageError("sample", error);
  const auto seed = SeedOption(*args);
  if (!seed) return UsageError("sample", "--seed takes a whole number");
  const auto out = args->Get("-o");
  if (!out || !args->positional.empty()) return UsageError("sample", "usage: zt sample [--seed N] -o FILE.zt");
  return WriteOutput("sample", *out, GenerateSampleImage(*seed));
}

int RunInfo(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {}, {}, error);
  if (!args) return UsageError("info", error);
  if (args->positional.size() != 1) return UsageError("info", "usage: zt info FILE");
  LoadedData data;
  if (const int code = LoadForInspection("info", args->positional[0], data, ToolFiles())) return code;
  for (const auto& text : data.image.header) PrintLine(text);
  return 0;
}

int RunExport(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--archive", "-o"}, {}, error);
  if (!args) return UsageError("export", error);
  const auto archive = args->Get("--archive");
  if (args->positional.size() != 1 || !archive)
    return UsageError("export", "usage: zt export FILE --archive time|oper [-o OUT]");
  if (*archive != "time" && *archive != "oper") return UsageError("export", "--archive is time or oper");
  LoadedData data;
  if (const int code = LoadForInspection("export", args->positional[0], data, ToolFiles())) return code;
  const std::string csv = TableCsv(*archive == "time" ? data.tables.time : data.tables.operational);
  if (const auto out = args->Get("-o")) return WriteOutput("export", *out, csv, {args->positional[0]});
  std::cout << csv;
  return std::cout ? 0 : kWriteError;
}

int RunShow(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--rows"}, {}, error);
  if (!args) return UsageError("show", error);
  const auto rows = ParseNumber(args->Get("--rows").value_or("8"));
  if (args->positional.size() != 1 || !rows) return UsageError("show", "usage: zt show FILE [--rows N]");
  LoadedData data;
  if (const int code = LoadForInspection("show", args->positional[0], data, ToolFiles())) return code;
  PrintOverview(std::cout, data, static_cast<std::size_t>(*rows));
  return 0;
}

int RunDemo(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--seed", "--rows"}, {}, error);
  if (!args) return UsageError("demo", error);
  const auto seed = SeedOption(*args);
  const auto rows = ParseNumber(args->Get("--rows").value_or("8"));
  if (!seed || !rows) return UsageError("demo", "--seed and --rows take whole numbers");
  const WorkingFiles files = ToolFiles();
  if (!files.EnsureFolders()) {
    std::cerr << "zt demo: cannot create " << files.WorkFolder() << '\n';
    return kWriteError;
  }
  const std::string sample = (files.ReportFolder() / "sample.zt").string();
  if (const int code = WriteOutput("demo", sample, GenerateSampleImage(*seed))) return code;
  std::cout << "Sample image written to " << sample << "\n\n";
  LoadedData data;
  if (const int code = LoadForInspection("demo", sample, data, files)) return code;
  PrintOverview(std::cout, data, static_cast<std::size_t>(*rows));
  return 0;
}

}  // namespace zt::cli
