#include "app/windows/load_rows.h"

#include "core/device_image.h"

namespace zt::app {

namespace {
constexpr int kFirstTimeStep = 2;
constexpr int kFirstOperStep = kFirstTimeStep + static_cast<int>(kTimeBlockCount);
constexpr std::size_t kRecordsPerBlock = 128;
}  // namespace

std::optional<LoadedRows> RowsOfLoadStep(int gauge) {
  const bool time = gauge >= kFirstTimeStep && gauge < kFirstOperStep;
  const bool oper = gauge >= kFirstOperStep && gauge < kFirstOperStep + static_cast<int>(kOperationalBlockCount);
  if (!time && !oper) return std::nullopt;
  const auto block = static_cast<std::size_t>(gauge - (time ? kFirstTimeStep : kFirstOperStep));
  return LoadedRows{time ? ArchiveKind::Time : ArchiveKind::Operational, 1 + block * kRecordsPerBlock, (block + 1) * kRecordsPerBlock};
}

}  // namespace zt::app
