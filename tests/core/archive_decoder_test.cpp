#include "core/archive_decoder.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "tests/core/image_builder.h"

namespace zt {
namespace {

using test::Record;

class ArchiveDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image.sensorMask = 0x000F;
    image.sensorCount = 4;
    ResetArchiveTables(tables);
  }
  std::string Block(std::initializer_list<std::pair<std::size_t, std::string>> records, char fill = '\xFF') {
    std::string block(kBlockSize, fill);
    for (const auto& [k, r] : records) block.replace(k * 8, 8, r);
    return block;
  }
  DecodedImage image;
  ArchiveTables tables;
  MemoryProtocolLog log;
  ArchiveDecoder decoder{image, tables, log};
  const std::string ditto{kDitto};
};

TEST_F(ArchiveDecoderTest, ResetGivesTitlesIndicesAndDittoMarks) {
  ASSERT_EQ(tables.time.RowCount(), 2049u);
  ASSERT_EQ(tables.operational.RowCount(), 1537u);
  EXPECT_EQ(tables.time.ColumnCount(), 7u);
  EXPECT_EQ(tables.operational.ColumnCount(), 9u);
  EXPECT_EQ(tables.time.Cell(6, 0), "Коментарий служебных бит"_cp);
  EXPECT_EQ(tables.operational.Cell(5, 0), "Сост.датч.было"_cp);
  EXPECT_EQ(tables.time.Cell(0, 1), "0000");
  EXPECT_EQ(tables.time.Cell(0, 2048), "2047");
  EXPECT_EQ(tables.operational.Cell(0, 1536), "1535");
  EXPECT_EQ(tables.operational.Cell(8, 1536), ditto);
  EXPECT_EQ(tables.time.Cell(1, 1), "-\"-");
}

TEST_F(ArchiveDecoderTest, ErasedBlockWritesNothing) {
  decoder.DecodeTimeBlock(std::string(kBlockSize, '\xFF'));
  decoder.DecodeOperationalBlock(std::string(kBlockSize, '\xFF'));
  EXPECT_EQ(decoder.timeRow, 129);
  EXPECT_EQ(decoder.operationalRow, 129);
  EXPECT_TRUE(log.Lines().empty());
  for (std::size_t r = 1; r <= 128; ++r) EXPECT_EQ(tables.time.Cell(1, r), ditto);
}

TEST_F(ArchiveDecoderTest, ZeroBlockLogsEveryTimeRecordButWritesNoCell) {
  decoder.DecodeTimeBlock(std::string(kBlockSize, '\0'));
  decoder.DecodeOperationalBlock(std::string(kBlockSize, '\0'));
  ASSERT_EQ(log.Lines().size(), 256u);  // 128 time records, two lines each; none from the operational block
  EXPECT_EQ(log.Lines()[0], "<- " + std::string("кол.б-т=7 :: 00 00 00 00 00 00 00 "_cp));
  EXPECT_EQ(log.Lines()[1], "<- ");
  for (std::size_t r = 1; r <= 128; ++r) {
    EXPECT_EQ(tables.time.Cell(1, r), ditto);
    EXPECT_EQ(tables.operational.Cell(1, r), ditto);
  }
}

TEST_F(ArchiveDecoderTest, TimeRecordCells) {
  // 02.01.2000 01:00 = 1500; byte 4 0x05, byte 5 0x30, 12 field and 7 alarm minutes.
  decoder.DecodeTimeBlock(Block({{2, Record(1500, 0x05, 0x30, 12, 7)}, {3, Record(1501, 0x0F, 0x00, 0, 255)}}));
  const ArchiveTable& t = tables.time;
  EXPECT_EQ(t.Cell(1, 3), "02.01.2000 01:00");
  EXPECT_EQ(t.Cell(2, 3), "0011");
  EXPECT_EQ(t.Cell(3, 3), "0101");
  EXPECT_EQ(t.Cell(4, 3), "12");
  EXPECT_EQ(t.Cell(5, 3), "7");
  EXPECT_EQ(t.Cell(6, 3), "вмешательст./разомк./"_cp);
  EXPECT_EQ(t.Cell(2, 4), "0000");
  EXPECT_EQ(t.Cell(3, 4), "1111");
  EXPECT_EQ(t.Cell(5, 4), "255");
  EXPECT_EQ(t.Cell(6, 4), ditto);
  EXPECT_EQ(t.Cell(1, 2), ditto);
  EXPECT_EQ(log.Lines().size(), 4u);
}

TEST_F(ArchiveDecoderTest, ServiceCommentOfEveryBit) {
  EXPECT_EQ(ServiceComment("1100"), std::string("контроль/кор.врем./"_cp));
  EXPECT_EQ(ServiceComment("0000"), ditto);
}

TEST_F(ArchiveDecoderTest, SecondBlockLandsAfterTheFirst) {
  decoder.DecodeTimeBlock(std::string(kBlockSize, '\xFF'));
  decoder.DecodeTimeBlock(Block({{0, Record(60, 0, 0, 0, 0)}}));
  EXPECT_EQ(tables.time.Cell(1, 129), "01.01.2000 01:00");
  EXPECT_EQ(tables.time.Cell(0, 129), "0128");
}

TEST_F(ArchiveDecoderTest, OperationalRecordKinds) {
  decoder.DecodeOperationalBlock(Block({
      {0, Record(1, 0x05, 0x00, 0x00, 0x80)},  // control number 5
      {1, Record(2, 0xA0, 0x05, 0x00, 0x40)},  // clock set to 1440
      {2, Record(3, 0xA0, 0x05, 0x00, 0xC0)},  // both flags
      {3, Record(4, 0x01, 0x10, 0x03, 0x20)},  // sensor change
  }));
  const ArchiveTable& t = tables.operational;
  EXPECT_EQ(t.Cell(1, 1), "01.01.2000 00:01");
  EXPECT_EQ(t.Cell(6, 1), "5");
  EXPECT_EQ(t.Cell(7, 1), ditto);
  EXPECT_EQ(t.Cell(8, 1), "контроль"_cp);
  for (std::size_t c = 2; c <= 5; ++c) EXPECT_EQ(t.Cell(c, 1), ditto);

  EXPECT_EQ(t.Cell(6, 2), ditto);
  EXPECT_EQ(t.Cell(7, 2), "02.01.2000 00:00");
  EXPECT_EQ(t.Cell(8, 2), "корр.времени"_cp);

  EXPECT_EQ(t.Cell(6, 3), "160");
  EXPECT_EQ(t.Cell(7, 3), "02.01.2000 00:00");
  EXPECT_EQ(t.Cell(8, 3), "корр.времени"_cp);
  for (std::size_t c = 2; c <= 5; ++c) EXPECT_EQ(t.Cell(c, 3), ditto);

  EXPECT_EQ(t.Cell(2, 4), "0010");
  EXPECT_EQ(t.Cell(3, 4), "0011");
  EXPECT_EQ(t.Cell(4, 4), "0001");
  EXPECT_EQ(t.Cell(5, 4), "0001");
  EXPECT_EQ(t.Cell(6, 4), ditto);
  EXPECT_EQ(t.Cell(8, 4), ditto);
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ArchiveDecoderTest, NoSensorsGivesEmptySensorCells) {
  image.sensorMask = 0;
  image.sensorCount = 0;
  decoder.DecodeTimeBlock(Block({{0, Record(5, 0xFF, 0x0F, 0, 0)}}));
  decoder.DecodeOperationalBlock(Block({{0, Record(5, 0xFF, 0x0F, 0xFF, 0x0F)}}));
  EXPECT_EQ(tables.time.Cell(3, 1), "");
  EXPECT_EQ(tables.operational.Cell(3, 1), "");
  EXPECT_EQ(tables.operational.Cell(5, 1), "");
}

TEST_F(ArchiveDecoderTest, ShortBlockDoesNotReadPastItsEnd) {
  decoder.DecodeTimeBlock(Record(60, 0, 0, 0, 0) + "\x01\x02");
  EXPECT_EQ(tables.time.Cell(1, 1), "01.01.2000 01:00");
  EXPECT_EQ(decoder.timeRow, 129);
}

}  // namespace
}  // namespace zt
