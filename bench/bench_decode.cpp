// One full decode: the parameter block and the 28 archive blocks into both tables.
#include <benchmark/benchmark.h>

#include "core/archive_decoder.h"
#include "core/sample_image.h"

namespace {

void BM_FullDecode(benchmark::State& state) {
  const std::string image = zt::GenerateSampleImage(1);
  zt::DecodedImage decoded;
  zt::ArchiveTables tables;
  zt::NullProtocolLog log;
  for (auto _ : state) {
    zt::DecodeImage(image, decoded, tables, log);
    benchmark::DoNotOptimize(tables.time.Cell(1, 1).data());
  }
  state.SetItemsProcessed(state.iterations() * (zt::kTimeArchive.count + zt::kOperationalArchive.count));
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond);

}  // namespace
