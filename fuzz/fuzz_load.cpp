// What a load runs, in memory: the parameter block and an archive block
// through their decoders. A whole image costs milliseconds to decode under the
// sanitizers, a full block of records most of one; a few records of a block
// placed anywhere in a table reach the same code many times faster.
//
// Input: a control byte, then bytes P. The archive block is P's first 16
// records, a block cut short; the parameter block is what follows them
// repeated to 256 bytes, or P repeated when nothing follows.
// Control bit 0: give the parameter block its right checksum; bit 1: the
// operational archive instead of the time archive; bit 2: give every record
// its right check byte; bits 3-7: the block the records stand in, counted
// round one past the archive's last block (whose records the table has no room for).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/archive_decoder.h"
#include "core/device_image.h"
#include "fuzz/fuzz_check.h"

namespace {

using zt::fuzz::Require;

// Each record goes through the same code; more per input only slow the search.
constexpr std::size_t kRecordsTaken = 16;

class FrameCount final : public zt::ProtocolLog {
 public:
  void LogFrame(zt::Direction, std::string_view bytes) override {
    Require(bytes.size() == 7);
    ++frames;
  }
  void LogTraffic(zt::Direction, std::string_view) override { Require(false); }
  std::size_t frames = 0;
};

zt::ArchiveTables& Tables() {
  // Built once: a reset of both tables costs more than all the rest together.
  static zt::ArchiveTables tables = [] {
    zt::ArchiveTables t;
    zt::ResetArchiveTables(t);
    return t;
  }();
  return tables;
}

std::string ParameterBlock(std::string_view p, bool fixChecksum) {
  std::string block(zt::kParameterBlock.size, '\xFF');
  if (!p.empty())
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = p[i % p.size()];
  if (fixChecksum) {
    const std::uint16_t sum = zt::ParameterChecksum(block);
    block[zt::param::kChecksum] = static_cast<char>(sum & 0xFF);
    block[zt::param::kChecksum + 1] = static_cast<char>(sum >> 8);
  }
  return block;
}

void CheckHeader(const zt::DecodedImage& image, bool decoded) {
  if (!decoded) {
    // A refused block changes nothing.
    for (const std::string& field : image.header) Require(field == zt::kDitto);
    Require(image.sensorMask == 0 && image.sensorCount == 0);
    return;
  }
  Require(image.header[zt::kHeaderSerial].size() == 5);
  Require(image.sensorCount <= 12 && image.header[zt::kHeaderSensorCount] == std::to_string(image.sensorCount));
  Require(image.header[zt::kHeaderVersion].size() <= zt::param::kVersionLength);
  for (const auto field : {zt::kHeaderVersion, zt::kHeaderEnterprise, zt::kHeaderBranch, zt::kHeaderMeter})
    Require(image.header[field].find('\0') == std::string::npos);
  const std::size_t clock = image.header[zt::kHeaderClock].size();
  Require(clock == 0 || clock == 16);
}

// Rows a block will write start as after a reset, so a record left alone is seen.
void ResetRows(zt::ArchiveTable& table, std::size_t first, std::size_t records) {
  for (std::size_t r = first; r < first + records && r < table.RowCount(); ++r)
    for (std::size_t c = 1; c < table.ColumnCount(); ++c) table.SetCell(c, r, std::string(zt::kDitto));
}

bool Taken(std::string_view record) {
  return record.size() == zt::kRecordSize && zt::CheckRecord(record, 0).present &&
         (record[0] != 0 || record[1] != 0 || record[2] != 0);
}

bool Bits(std::string_view text, std::size_t length) {
  return text.size() == length && text.find_first_not_of("01") == std::string_view::npos;
}

void CheckRow(const zt::ArchiveTable& t, std::size_t row, std::string_view record, bool time, std::uint8_t sensors) {
  const auto cell = [&](std::size_t c) -> const std::string& { return t.Cell(c, row); };
  if (!Taken(record)) {
    for (std::size_t c = 1; c < t.ColumnCount(); ++c) Require(cell(c) == zt::kDitto);
    return;
  }
  const std::size_t date = cell(1).size();
  Require(date == 0 || date == 16);
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(record[i]); };
  if (time) {
    namespace col = zt::time_col;
    Require(cell(col::kService) == zt::ServiceBitsText(byte(5)));
    Require(Bits(cell(col::kSensors), sensors));
    Require(cell(col::kFieldMinutes) == std::to_string(byte(6)));
    Require(cell(col::kAlarmMinutes) == std::to_string(byte(7)));
    const std::string& comment = cell(col::kComment);
    Require(comment == zt::kDitto ? byte(5) < 0x10 : comment.back() == '/');
    return;
  }
  namespace col = zt::oper_col;
  const std::uint8_t flags = byte(7);
  if (flags & 0xC0) {
    Require(cell(col::kServiceNow) == zt::kDitto && cell(col::kSensorsBefore) == zt::kDitto);
    Require((flags & 0x80) == 0 || cell(col::kControl) == std::to_string(byte(4)));
    Require((flags & 0x40) != 0 || cell(col::kClockCorrection) == zt::kDitto);
    Require(cell(col::kExtra) != zt::kDitto);
    return;
  }
  Require(Bits(cell(col::kServiceNow), 4) && Bits(cell(col::kServiceBefore), 4));
  Require(Bits(cell(col::kSensorsNow), sensors) && Bits(cell(col::kSensorsBefore), sensors));
  Require(cell(col::kControl) == zt::kDitto && cell(col::kExtra) == zt::kDitto);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const bool time = (control & 2) == 0;
  std::string p(zt::fuzz::Bytes(data + 1, size - 1));
  const std::size_t recordBytes = std::min(p.size(), kRecordsTaken * zt::kRecordSize);
  if (control & 4)
    for (std::size_t r = 0; r + zt::kRecordSize <= recordBytes; r += zt::kRecordSize)
      p[r + 3] = static_cast<char>(zt::RecordCheckByte(std::string_view(p).substr(r, zt::kRecordSize)));
  const std::string_view piece = std::string_view(p).substr(0, recordBytes);
  const std::string_view rest = std::string_view(p).substr(recordBytes);

  zt::DecodedImage image;
  const bool decoded = zt::DecodeParameterBlock(ParameterBlock(rest.empty() ? p : rest, control & 1), image);
  Require(decoded || (control & 1) == 0);
  CheckHeader(image, decoded);

  zt::ArchiveTables& tables = Tables();
  zt::ArchiveTable& table = time ? tables.time : tables.operational;
  FrameCount log;
  zt::ArchiveDecoder decoder{image, tables, log};
  // One block past the last reaches the end of the table.
  const std::size_t blocks = time ? zt::kTimeBlockCount : zt::kOperationalBlockCount;
  const std::size_t firstRow = 1 + (control >> 3) % (blocks + 1) * zt::kRecordsPerBlock;
  std::uint16_t& row = time ? decoder.timeRow : decoder.operationalRow;
  row = static_cast<std::uint16_t>(firstRow);
  // Records a short block lacks are absent: their rows are left alone.
  const std::size_t records = (piece.size() + zt::kRecordSize - 1) / zt::kRecordSize;
  ResetRows(table, firstRow, records);
  if (time)
    decoder.DecodeTimeBlock(piece);
  else
    decoder.DecodeOperationalBlock(piece);
  Require(row == firstRow + zt::kRecordsPerBlock);
  std::size_t taken = 0;
  for (std::size_t k = 0; k < records; ++k) {
    const std::string_view record = piece.substr(k * zt::kRecordSize, zt::kRecordSize);
    if (time && record.size() == zt::kRecordSize && zt::CheckRecord(record, 0).present) ++taken;
    if (firstRow + k < table.RowCount()) CheckRow(table, firstRow + k, record, time, image.sensorCount);
  }
  // Every present time record is logged, whether or not the table has room for it.
  Require(log.frames == taken);
  Require(table.RowCount() == 1 + (time ? zt::kTimeArchive.count : zt::kOperationalArchive.count));
  return 0;
}
