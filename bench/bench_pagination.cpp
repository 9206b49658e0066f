// Paginating a full-archive report into sheet files: both passes, every sheet written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/full_archive_report.h"
#include "core/archive_decoder.h"
#include "core/sample_image.h"
#include "report/pagination.h"
#include "tests/core/image_builder.h"

namespace {

using namespace zt::report;
using zt::ArchiveKind;

// The sample recorder decoded into both tables, and a folder for RepDay and the sheets.
struct FullArchive {
  FullArchive() {
    const std::string image = zt::GenerateSampleImage(1);
    zt::NullProtocolLog log;
    zt::DecodeImage(image, decoded, tables, log);
  }

  // The report's line count, or -1 when it could not be built.
  long long BuildFullReport(ArchiveKind archive) {
    if (zt::bench::BuildFullArchiveReport(tables, decoded, Files(), archive) != BuildResult::Built) return -1;
    std::ifstream in(Files().ReportTextFile(), std::ios::binary);
    long long lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
  }

  zt::DecodedImage decoded;
  zt::ArchiveTables tables;
  zt::test::TempFolder folder;

  zt::WorkingFiles Files() const { return zt::WorkingFiles(folder.path()); }
};

void Paginate(benchmark::State& state, ArchiveKind archive) {
  FullArchive full;
  const zt::WorkingFiles files = full.Files();
  const long long lines = full.BuildFullReport(archive);
  if (lines < 0) {
    state.SkipWithError("the report could not be built");
    return;
  }
  zt::bench::SilentMessages messages;
  NoEventPump pump;
  YieldPoint yield(pump);
  StopRequest stop;
  const PageLayout layout{66, 120, 5, 3, 3};
  int sheets = 0;
  for (auto _ : state) {
    LinesPreview preview;
    const Pagination p = PaginateReport(files.ReportTextFile(), layout, {files, preview, messages, yield, stop});
    if (p.result != PaginationResult::Paginated) {
      state.SkipWithError("the pagination failed");
      return;
    }
    sheets = p.sheets;
  }
  state.counters["report_lines"] = static_cast<double>(lines);
  state.counters["sheets"] = sheets;
  state.SetItemsProcessed(state.iterations() * lines);
}

void BM_PaginateTimeArchiveReport(benchmark::State& state) { Paginate(state, ArchiveKind::Time); }
void BM_PaginateOperationalArchiveReport(benchmark::State& state) { Paginate(state, ArchiveKind::Operational); }
BENCHMARK(BM_PaginateTimeArchiveReport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateOperationalArchiveReport)->Unit(benchmark::kMillisecond);

}  // namespace
