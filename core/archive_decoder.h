// Turns one 1024-byte archive block (128 records) into table cells.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/archive_table.h"
#include "core/device_image.h"
#include "core/protocol_log.h"

namespace zt {

// Everything a block decode reads and writes; row counters advance by 128 per block.
struct ArchiveDecoder {
  const DecodedImage& image;
  ArchiveTables& tables;
  ProtocolLog& log;
  DateFormats formats{};
  std::uint16_t timeRow = 1;
  std::uint16_t operationalRow = 1;

  void DecodeTimeBlock(std::string_view block);
  void DecodeOperationalBlock(std::string_view block);
};

// A whole in-memory image into the header and both tables, as a complete load
// would leave them (tables reset first); false when the parameter block is invalid.
bool DecodeImage(std::string_view image, DecodedImage& decoded, ArchiveTables& tables, ProtocolLog& log);

// The time-archive comment of a service string ("вмешательст./разомк./"), the ditto mark when no bit is set.
std::string ServiceComment(std::string_view serviceString);

}  // namespace zt
