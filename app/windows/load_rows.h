// Which table rows a load step has just written, from the load's gauge: step
// 1 is the parameter block, steps 2..17 the 16 time-archive blocks, steps
// 18..29 the 12 operational-archive blocks, 128 records each.
#pragma once

#include <cstddef>
#include <optional>

#include "core/archive_kind.h"

namespace zt::app {

struct LoadedRows {
  ArchiveKind archive;
  std::size_t first;  // table rows, 1-based
  std::size_t last;
};

std::optional<LoadedRows> RowsOfLoadStep(int gauge);

}  // namespace zt::app
