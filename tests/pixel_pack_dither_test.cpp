// Packing of the six pixel formats and the ordered dither.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/engine/dither.h"
#include "codec/engine/pixel_pack.h"
#include "codec/engine/texture_format.h"

namespace quarn {
namespace {

TEST(PixelPack, SixteenBitWordsOfOnePixel) {
  const uint32_t p = 0x80FF8040;  // alpha 0x80, red 0xFF, green 0x80, blue 0x40
  EXPECT_EQ(PackPixel16(p, Format4444), 0x8F84);
  EXPECT_EQ(PackPixel16(p, Format1555), 0xFE08);
  EXPECT_EQ(PackPixel16(p, Format565), 0xFC08);
  EXPECT_EQ(PackPixel16(p, Format555), 0x7E08);
  EXPECT_EQ(PackPixel16(0xFFFFFFFF, Format555) & 0x8000, 0);  // bit 15 stays clear
}

TEST(PixelPack, LevelBytesInOrderLittleEndian) {
  RgbaImage image(2, 1);
  image.pixels()[0] = 0x80FF8040;
  image.pixels()[1] = 0x11223344;
  EXPECT_EQ(PackPixels(image, Format565), (std::vector<uint8_t>{0x08, 0xFC, 0x88, 0x21}));
  EXPECT_EQ(PackPixels(image, Format888), (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0x44, 0x33, 0x22}));
  EXPECT_EQ(PackPixels(image, Format8888),
            (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0x80, 0x44, 0x33, 0x22, 0x11}));
}

TEST(Dither, WorkedExamplesFor565) {
  const uint32_t p = 0x43434343;
  EXPECT_EQ(DitherPixel(p, Format565, 0, 0), MakePixel(0x48, 0x44, 0x48, 0x48));
  EXPECT_EQ(DitherPixel(p, Format565, 1, 0), MakePixel(0x40, 0x44, 0x40, 0x40));
  EXPECT_EQ(DitherPixel(p, Format565, 0, 1), MakePixel(0x40, 0x40, 0x40, 0x40));
}

TEST(Dither, ChannelsAtTheTopOnlyTruncateAndPassThroughFormatsKeepThePixel) {
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      EXPECT_EQ(PixelBlue(DitherPixel(MakePixel(250, 0, 0, 0), Format565, x, y)), 248u);
      EXPECT_EQ(DitherPixel(0x12345678, Format8888, x, y), 0x12345678u);
      EXPECT_EQ(DitherPixel(0x12345678, Format888, x, y), 0x12345678u);
    }
  }
  // 7 rounds to 0 or 8 depending on position.
  EXPECT_EQ(PixelBlue(DitherPixel(MakePixel(7, 0, 0, 0), Format565, 0, 0)), 8u);
  EXPECT_EQ(PixelBlue(DitherPixel(MakePixel(7, 0, 0, 0), Format565, 2, 3)), 0u);
}

TEST(Dither, FormatSpecificChannels) {
  // 4444 leaves alpha alone; 1555 keeps only alpha's top bit; 555 and 4444
  // never touch alpha.
  EXPECT_EQ(PixelAlpha(DitherPixel(0x7F000000, Format4444, 0, 0)), 0x7Fu);
  EXPECT_EQ(PixelAlpha(DitherPixel(0xC1000000, Format1555, 0, 0)), 0x80u);
  EXPECT_EQ(PixelAlpha(DitherPixel(0x7F000000, Format1555, 0, 0)), 0x00u);
  EXPECT_EQ(PixelAlpha(DitherPixel(0x43000000, Format555, 0, 0)), 0x43u);
}

// Over a 16x16 area the mean of a dithered constant equals the input for the
// 5- and 6-bit steps (every remainder, both phases).
TEST(Dither, MeanOfAConstantIsKept) {
  struct Case {
    int32_t format;
    int shift;  // channel: 0 blue, 8 green
  };
  const Case cases[] = {{Format565, 0}, {Format565, 8}, {Format555, 0}, {Format555, 8}, {Format1555, 0}, {FormatDXT1, 8}};
  for (const Case& c : cases) {
    for (uint32_t value = 0; value < 248; ++value) {
      uint32_t sum = 0;
      for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) sum += (DitherPixel(value << c.shift, c.format, x, y) >> c.shift) & 0xFF;
      EXPECT_EQ(sum, value * 256) << "format " << c.format << " shift " << c.shift << " value " << value;
    }
  }
}

}  // namespace
}  // namespace quarn
