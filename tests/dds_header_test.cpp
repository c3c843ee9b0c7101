// The DDS header written for each format and size.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn {
namespace {

uint32_t Word(const std::array<uint8_t, kDdsDataOffset>& bytes, uint32_t headerOffset) {
  return LoadLE32(bytes.data() + 4 + headerOffset);
}

TEST(DdsHeader, FieldsPerSizeAndFormat) {
  struct Case {
    uint32_t width, height;
    int32_t format;
    uint32_t linearSize, mipCount, pfFlags, fourCC, bitCount;
  };
  const Case cases[] = {
      {256, 256, FormatDXT1, 32768, 9, 0x4, FourCC('D', 'X', 'T', '1'), 0},
      {256, 256, FormatDXT1a, 32768, 9, 0x4, FourCC('D', 'X', 'T', '1'), 0},
      {256, 64, FormatDXT5, 16384, 9, 0x4, FourCC('D', 'X', 'T', '5'), 512},
      {2, 2, FormatDXT3, 16, 2, 0x4, FourCC('D', 'X', 'T', '3'), 256},
      {1, 1, Format8888, 4, 1, 0x41, 0, 32},
      {100, 60, Format888, 18000, 7, 0x40, 0, 24},
      {48, 48, Format565, 4608, 6, 0x40, 0, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " format " << c.format);
    const auto bytes = BuildDdsHeader(c.width, c.height, c.format,
                                      static_cast<uint32_t>(LevelByteSize(c.format, c.width, c.height)));
    EXPECT_EQ(LoadLE32(bytes.data()), kDdsMagic);
    EXPECT_EQ(Word(bytes, DdsSize), 124u);
    EXPECT_EQ(Word(bytes, DdsFlags), 0xA1007u);
    EXPECT_EQ(Word(bytes, DdsHeight), c.height);
    EXPECT_EQ(Word(bytes, DdsWidth), c.width);
    EXPECT_EQ(Word(bytes, DdsLinearSize), c.linearSize);
    EXPECT_EQ(Word(bytes, DdsDepth), 0u);
    EXPECT_EQ(Word(bytes, DdsMipCountField), c.mipCount);
    EXPECT_EQ(Word(bytes, DdsPfSize), 32u);
    EXPECT_EQ(Word(bytes, DdsPfFlags), c.pfFlags);
    EXPECT_EQ(Word(bytes, DdsFourCC), c.fourCC);
    EXPECT_EQ(Word(bytes, DdsBitCount), c.bitCount);
    EXPECT_EQ(Word(bytes, DdsCaps), 0x401008u);
    EXPECT_EQ(Word(bytes, DdsCaps2), 0u);
  }
}

TEST(DdsHeader, MasksOfThePixelFormats) {
  struct Case {
    int32_t format;
    uint32_t red, green, blue, alpha;
  };
  const Case cases[] = {
      {Format4444, 0x0F00, 0x00F0, 0x000F, 0xF000},         {Format1555, 0x7C00, 0x03E0, 0x001F, 0x8000},
      {Format565, 0xF800, 0x07E0, 0x001F, 0},              {Format8888, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
      {Format888, 0xFF0000, 0xFF00, 0xFF, 0},               {Format555, 0x7C00, 0x03E0, 0x001F, 0},
  };
  for (const Case& c : cases) {
    const auto bytes = BuildDdsHeader(4, 4, c.format, 0);
    EXPECT_EQ(Word(bytes, DdsRedMask), c.red) << c.format;
    EXPECT_EQ(Word(bytes, DdsGreenMask), c.green) << c.format;
    EXPECT_EQ(Word(bytes, DdsBlueMask), c.blue) << c.format;
    EXPECT_EQ(Word(bytes, DdsAlphaMask), c.alpha) << c.format;
  }
}

}  // namespace
}  // namespace quarn
