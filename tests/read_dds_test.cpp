// Read_DDS as a host sees it: the record it fills, the caption, the RGB
// picture, and a record left alone on failure.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "quarn/quarn.h"
#include "support/dds_fixture.h"
#include "support/test_images.h"

namespace quarn {
namespace {

using test::AppendSolidDxt1;
using test::BlockFixture;
using test::DdsFixture;
using test::PixelFixture;
using test::WriteFile;

class ReadDdsTest : public testing::Test {
 protected:
  void SetUp() override {
    std::memset(&record_, 0xAB, sizeof record_);
    record_.rgbPixels = nullptr;
  }
  void TearDown() override { std::free(record_.rgbPixels); }

  // Writes the file and reads it into record_ (releasing an earlier picture).
  int32_t Read(const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.File("t.dds");
    WriteFile(path, bytes);
    std::free(record_.rgbPixels);
    record_.rgbPixels = nullptr;
    return Read_DDS(path.c_str(), &record_);
  }
  std::string Caption() const { return record_.caption; }

  TempFolder folder_;
  ReadDdsResult record_;
};

TEST_F(ReadDdsTest, CaptionsNameTheKind) {
  struct Case {
    DdsFixture file;
    const char* caption;
  };
  DdsFixture dxt1Alpha = BlockFixture('1', 8, 4);
  dxt1Alpha.pfFlags = 0x5;
  DdsFixture dxt1OtherFlags = BlockFixture('1', 8, 4);
  dxt1OtherFlags.pfFlags = 0x45;
  DdsFixture cube = BlockFixture('1', 64, 64);
  cube.caps2 = 0xFE00;
  const Case cases[] = {
      {BlockFixture('1', 8, 4), "DDS DXT1 Opaque : 8 x 4"},
      {dxt1Alpha, "DDS DXT1 Opaque+Alpha : 8 x 4"},
      {dxt1OtherFlags, "DDS DXT1 Opaque : 8 x 4"},
      {BlockFixture('3', 8, 4), "DDS DXT3 : 8 x 4"},
      {BlockFixture('5', 256, 256, 9), "DDS DXT5 : 256 x 256"},
      {BlockFixture('2', 4, 4), "DDS ??? : 4 x 4"},
      {BlockFixture('4', 4, 4), "DDS ??? : 4 x 4"},
      {PixelFixture(0x41, 16, 0x00F0, 0xF000, 3, 5), "DDS 444-4 16 bit : 3 x 5"},
      {PixelFixture(0x40, 16, 0x07E0, 0, 3, 5), "DDS 565 16 bit : 3 x 5"},
      {PixelFixture(0x41, 16, 0x03E0, 0x8000, 3, 5), "DDS 555-1 16 bit : 3 x 5"},
      {PixelFixture(0x40, 16, 0x03E0, 0, 3, 5), "DDS 555-1 16 bit : 3 x 5"},
      {PixelFixture(0x40, 24, 0x00FF00, 0, 3, 5), "DDS ??? : 3 x 5"},
      {PixelFixture(0x41, 32, 0x0000FF00, 0xFF000000, 3, 5), "DDS ??? : 3 x 5"},
      {cube, "DDS DXT1 Opaque : 384 x 64"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Read(c.file.Bytes()), 1) << c.caption;
    EXPECT_EQ(Caption(), c.caption);
  }
}

TEST_F(ReadDdsTest, FillsTheRecordWithRedGreenBlueTopRowFirst) {
  // 3 x 2 r8g8b8 with mip maps: the reader's picture is 3 + 2 + 1 columns
  // wide and 8 rows high; only the 3 x 2 pixels reach the host.
  DdsFixture f = PixelFixture(0x40, 24, 0x00FF00, 0, 3, 2);
  f.mipCount = 2;
  for (uint8_t i = 0; i < 6; ++i) f.data.insert(f.data.end(), {uint8_t(10 + i), uint8_t(20 + i), uint8_t(30 + i)});
  f.data.insert(f.data.end(), 9, 0xEE);  // levels 1 and 2
  record_.reserved2 = 4242;
  ASSERT_EQ(Read(f.Bytes()), 1);
  EXPECT_EQ(record_.width, 3);
  EXPECT_EQ(record_.height, 2);
  EXPECT_EQ(record_.bitsPerPixel, 24);
  EXPECT_EQ(record_.reserved1, 0);
  EXPECT_EQ(record_.reserved2, 4242);
  ASSERT_NE(record_.rgbPixels, nullptr);
  std::vector<uint8_t> expected;
  for (uint8_t i = 0; i < 6; ++i) expected.insert(expected.end(), {uint8_t(30 + i), uint8_t(20 + i), uint8_t(10 + i)});
  EXPECT_EQ(std::vector<uint8_t>(record_.rgbPixels, record_.rgbPixels + 18), expected);
}

TEST_F(ReadDdsTest, AlphaIsDropped) {
  DdsFixture f = PixelFixture(0x41, 32, 0x0000FF00, 0xFF000000, 2, 1);
  f.data = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(Read(f.Bytes()), 1);
  EXPECT_EQ(std::vector<uint8_t>(record_.rgbPixels, record_.rgbPixels + 6), (std::vector<uint8_t>{3, 2, 1, 7, 6, 5}));
}

TEST_F(ReadDdsTest, FailureLeavesTheRecordAsItWas) {
  DdsFixture tooWide = PixelFixture(0x40, 24, 0, 0, 40000, 1);
  DdsFixture unknown = PixelFixture(0x41, 24, 0, 0, 4, 4);
  DdsFixture hugeVolume = PixelFixture(0x41, 32, 0, 0xFF000000, 8, 8);
  hugeVolume.flags |= 0x800000;
  hugeVolume.depth = 0xFFFFFFFF;
  std::vector<uint8_t> notDds = BlockFixture('1', 4, 4).Bytes();
  notDds[0] = 'X';
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"not a DDS file", notDds},
      {"empty file", {}},
      {"unknown pixel format", unknown.Bytes()},
      {"side above 32767", tooWide.Bytes()},
      {"depth that overflows", hugeVolume.Bytes()},
  };
  const ReadDdsResult before = record_;
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.bytes), 0) << c.name;
    EXPECT_EQ(std::memcmp(&record_, &before, sizeof before), 0) << c.name;
  }
  EXPECT_EQ(Read_DDS(folder_.File("missing.dds").c_str(), &record_), 0);
  EXPECT_EQ(std::memcmp(&record_, &before, sizeof before), 0);
  EXPECT_EQ(Read_DDS(nullptr, &record_), 0);
  EXPECT_EQ(Read_DDS(folder_.File("t.dds").c_str(), nullptr), 0);
}

TEST_F(ReadDdsTest, ShortFileIsNamedFromItsOwnBytes) {
  // A 565 file first, then an r8g8b8 file cut at byte 92, before its green
  // mask: the caption must not pick up the previous file's mask.
  DdsFixture first = PixelFixture(0x40, 16, 0x07E0, 0, 1, 1);
  first.data = {0, 0};
  ASSERT_EQ(Read(first.Bytes()), 1);
  EXPECT_EQ(Caption(), "DDS 565 16 bit : 1 x 1");

  std::vector<uint8_t> cut = PixelFixture(0x40, 24, 0x07E0, 0, 2, 2).Bytes();
  cut.resize(92);
  ASSERT_EQ(Read(cut), 1);
  EXPECT_EQ(Caption(), "DDS ??? : 2 x 2");
  EXPECT_EQ(std::vector<uint8_t>(record_.rgbPixels, record_.rgbPixels + 12), std::vector<uint8_t>(12, 0));
}

}  // namespace
}  // namespace quarn
