// Full-archive reports: every table of both archives over a period that holds every record.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/full_archive_report.h"
#include "core/archive_decoder.h"
#include "core/sample_image.h"
#include "tests/core/image_builder.h"

namespace {

using namespace zt::report;
using zt::ArchiveKind;

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Every record present and qualifying for every table: hourly rows with a
// service bit each hour, operational rows that are sensor changes, or controls
// that also corrected the clock.
void FillDense(zt::ArchiveTables& t, zt::DecodedImage& image) {
  zt::ResetArchiveTables(t);
  image.header = {"00042", "12", "v1", "Enterprise", "Branch", "Meter", "07.12.2026 10:30"};
  image.sensorMask = 0x0FFF;
  image.sensorCount = 12;
  for (std::size_t r = 1; r < t.time.RowCount(); ++r) {
    const int h = static_cast<int>(r - 1);
    t.time.SetCell(1, r, Two(1 + h / 24 % 28) + "." + Two(1 + h / (24 * 28)) + ".2026 " + Two(h % 24) + ":00");
    t.time.SetCell(2, r, h % 2 ? "0011" : "1000");
    t.time.SetCell(3, r, "000000000101");
    t.time.SetCell(4, r, std::to_string(h % 61));
    t.time.SetCell(5, r, std::to_string(h % 37));
    t.time.SetCell(6, r, std::string(zt::kServiceShortTexts[2]) + "/" + std::string(zt::kServiceShortTexts[3]) + "/");
  }
  for (std::size_t r = 1; r < t.operational.RowCount(); ++r) {
    const int m = static_cast<int>(r);
    t.operational.SetCell(1, r, Two(1 + m / 1440) + ".12.2026 " + Two(m / 60 % 24) + ":" + Two(m % 60));
    if (r % 2) {
      t.operational.SetCell(2, r, "0010");
      t.operational.SetCell(3, r, "000000000011");
      t.operational.SetCell(4, r, "0000");
      t.operational.SetCell(5, r, "000000000001");
    } else {
      t.operational.SetCell(6, r, std::to_string(m % 256));
      t.operational.SetCell(7, r, "07.12.2026 10:30");
    }
  }
}

// Both archives, all tables; the two reports' sizes are reported as counters.
void RunFullReports(benchmark::State& state, const zt::ArchiveTables& tables, const zt::DecodedImage& image) {
  const zt::test::TempFolder folder;
  const zt::WorkingFiles files(folder.path());
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (ArchiveKind archive : {ArchiveKind::Time, ArchiveKind::Operational}) {
      if (zt::bench::BuildFullArchiveReport(tables, image, files, archive) != BuildResult::Built) {
        state.SkipWithError("report not built");
        return;
      }
      bytes += std::filesystem::file_size(files.ReportTextFile());
    }
  }
  state.counters["report_bytes"] = static_cast<double>(bytes);
}

void BM_FullReportDenseArchives(benchmark::State& state) {
  zt::ArchiveTables tables;
  zt::DecodedImage image;
  FillDense(tables, image);
  RunFullReports(state, tables, image);
}
BENCHMARK(BM_FullReportDenseArchives)->Unit(benchmark::kMillisecond);

void BM_FullReportSampleRecorder(benchmark::State& state) {
  zt::ArchiveTables tables;
  zt::DecodedImage image;
  zt::NullProtocolLog log;
  if (!zt::DecodeImage(zt::GenerateSampleImage(1), image, tables, log)) {
    state.SkipWithError("sample not decoded");
    return;
  }
  RunFullReports(state, tables, image);
}
BENCHMARK(BM_FullReportSampleRecorder)->Unit(benchmark::kMillisecond);

}  // namespace
