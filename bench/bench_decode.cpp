// One full decode: the parameter block and the 28 archive blocks into both tables.
#include <benchmark/benchmark.h>

#include "core/archive_decoder.h"
#include "core/sample_image.h"

namespace {

void BM_FullDecode(benchmark::State& state) {
  const std::string image = zt::GenerateSampleImage(1);
  const std::string_view view(image);
  zt::DecodedImage decoded;
  zt::ArchiveTables tables;
  zt::NullProtocolLog log;
  for (auto _ : state) {
    decoded.ResetHeader();
    zt::ResetArchiveTables(tables);
    zt::ArchiveDecoder decoder{decoded, tables, log};
    zt::DecodeParameterBlock(view.substr(zt::kParameterBlock.start, zt::kParameterBlock.size), decoded);
    for (std::size_t b = 0; b < zt::kTimeBlockCount; ++b)
      decoder.DecodeTimeBlock(view.substr(zt::kTimeArchive.start + b * zt::kBlockSize, zt::kBlockSize));
    for (std::size_t b = 0; b < zt::kOperationalBlockCount; ++b)
      decoder.DecodeOperationalBlock(view.substr(zt::kOperationalArchive.start + b * zt::kBlockSize, zt::kBlockSize));
    benchmark::DoNotOptimize(tables.time.Cell(1, 1).data());
  }
  state.SetItemsProcessed(state.iterations() * (zt::kTimeArchive.count + zt::kOperationalArchive.count));
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond);

// The decode alone, tables already reset (what the load window spreads over 28 ticks).
void BM_ArchiveBlocksOnly(benchmark::State& state) {
  const std::string image = zt::GenerateSampleImage(1);
  const std::string_view view(image);
  zt::DecodedImage decoded;
  zt::DecodeParameterBlock(view.substr(zt::kParameterBlock.start, zt::kParameterBlock.size), decoded);
  zt::ArchiveTables tables;
  zt::ResetArchiveTables(tables);
  zt::NullProtocolLog log;
  for (auto _ : state) {
    zt::ArchiveDecoder decoder{decoded, tables, log};
    for (std::size_t b = 0; b < zt::kTimeBlockCount; ++b)
      decoder.DecodeTimeBlock(view.substr(zt::kTimeArchive.start + b * zt::kBlockSize, zt::kBlockSize));
    for (std::size_t b = 0; b < zt::kOperationalBlockCount; ++b)
      decoder.DecodeOperationalBlock(view.substr(zt::kOperationalArchive.start + b * zt::kBlockSize, zt::kBlockSize));
  }
}
BENCHMARK(BM_ArchiveBlocksOnly)->Unit(benchmark::kMillisecond);

}  // namespace
