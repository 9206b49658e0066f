#include "core/archive_decoder.h"

namespace zt {
namespace {

std::uint8_t Byte(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

bool ZeroTimeStamp(std::string_view record) { return record[0] == 0 && record[1] == 0 && record[2] == 0; }

std::uint16_t Word(std::string_view record, std::size_t lo) {
  return static_cast<std::uint16_t>(Byte(record, lo) | (Byte(record, lo + 1) << 8));
}

}  // namespace

std::string ServiceComment(std::string_view s) {
  std::string comment;
  for (std::size_t i = 0; i < s.size() && i < kServiceShortTexts.size(); ++i)
    if (s[i] == '1') comment.append(kServiceShortTexts[i]).push_back('/');
  return comment.empty() ? std::string(kDitto) : comment;
}

void ArchiveDecoder::DecodeTimeBlock(std::string_view block) {
  ArchiveTable& t = tables.time;
  for (std::size_t k = 0; k < kRecordsPerBlock; ++k, ++timeRow) {
    const std::size_t offset = k * kRecordSize;
    if (offset + kRecordSize > block.size()) continue;
    const RecordCheck check = CheckRecord(block, offset);
    if (!check.present) continue;
    log.LogFrame(Direction::Received, check.data);
    const std::string_view r = block.substr(offset, kRecordSize);
    if (ZeroTimeStamp(r) || timeRow >= t.RowCount()) continue;
    const std::string service = ServiceBitsText(Byte(r, 5));
    t.SetCell(time_col::kDate, timeRow, TimeStampText(Byte(r, 0), Byte(r, 1), Byte(r, 2), formats));
    t.SetCell(time_col::kService, timeRow, service);
    t.SetCell(time_col::kSensors, timeRow, SensorStatesText(Word(r, 4), image.sensorMask, image.sensorCount));
    t.SetCell(time_col::kFieldMinutes, timeRow, std::to_string(Byte(r, 6)));
    t.SetCell(time_col::kAlarmMinutes, timeRow, std::to_string(Byte(r, 7)));
    t.SetCell(time_col::kComment, timeRow, ServiceComment(service));
  }
}

void ArchiveDecoder::DecodeOperationalBlock(std::string_view block) {
  ArchiveTable& t = tables.operational;
  for (std::size_t k = 0; k < kRecordsPerBlock; ++k, ++operationalRow) {
    const std::size_t offset = k * kRecordSize;
    if (offset + kRecordSize > block.size()) continue;
    const std::string_view r = block.substr(offset, kRecordSize);
    if (!CheckRecord(block, offset).present || ZeroTimeStamp(r) || operationalRow >= t.RowCount()) continue;
    const std::uint8_t flags = Byte(r, 7);
    bool special = false;
    if (flags & 0x80) {
      special = true;
      t.SetCell(oper_col::kControl, operationalRow, std::to_string(Byte(r, 4)));
      t.SetCell(oper_col::kExtra, operationalRow, std::string("контроль"_cp));
    }
    if (flags & 0x40) {
      special = true;
      t.SetCell(oper_col::kClockCorrection, operationalRow, TimeStampText(Byte(r, 4), Byte(r, 5), Byte(r, 6), formats));
      t.SetCell(oper_col::kExtra, operationalRow, std::string("корр.времени"_cp));
    }
    t.SetCell(oper_col::kDate, operationalRow, TimeStampText(Byte(r, 0), Byte(r, 1), Byte(r, 2), formats));
    if (special) continue;
    t.SetCell(oper_col::kServiceNow, operationalRow, ServiceBitsText(flags));
    t.SetCell(oper_col::kSensorsNow, operationalRow, SensorStatesText(Word(r, 6), image.sensorMask, image.sensorCount));
    t.SetCell(oper_col::kServiceBefore, operationalRow, ServiceBitsText(Byte(r, 5)));
    t.SetCell(oper_col::kSensorsBefore, operationalRow,
              SensorStatesText(Word(r, 4), image.sensorMask, image.sensorCount));
    t.SetCell(oper_col::kExtra, operationalRow, std::string(kDitto));
  }
}

bool DecodeImage(std::string_view image, DecodedImage& decoded, ArchiveTables& tables, ProtocolLog& log) {
  decoded.ResetHeader();
  ResetArchiveTables(tables);
  if (image.size() < kImageSize ||
      !DecodeParameterBlock(image.substr(kParameterBlock.start, kParameterBlock.size), decoded))
    return false;
  ArchiveDecoder decoder{decoded, tables, log};
  for (std::size_t b = 0; b < kTimeBlockCount; ++b)
    decoder.DecodeTimeBlock(image.substr(kTimeArchive.start + b * kBlockSize, kBlockSize));
  for (std::size_t b = 0; b < kOperationalBlockCount; ++b)
    decoder.DecodeOperationalBlock(image.substr(kOperationalArchive.start + b * kBlockSize, kBlockSize));
  return true;
}

}  // namespace zt
