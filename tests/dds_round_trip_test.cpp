// DDS files written by DXTcompress read back through Read_DDS: the caption,
// the size, and pixels that keep exactly the precision each format stores.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/engine/dds_header.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/dds_fixture.h"
#include "support/test_images.h"

namespace quarn {
namespace {

struct Precision {
  int32_t format;
  const char* kind;
  int red, green, blue;  // bits kept per channel
};

TEST(DdsRoundTrip, PixelFormatsReadBackAtTheirPrecision) {
  const Precision formats[] = {
      {Format4444, "DDS 444-4 16 bit", 4, 4, 4}, {Format1555, "DDS 555-1 16 bit", 5, 5, 5},
      {Format565, "DDS 565 16 bit", 5, 6, 5},    {Format8888, "DDS ???", 8, 8, 8},
      {Format888, "DDS ???", 8, 8, 8},           {Format555, "DDS 555-1 16 bit", 5, 5, 5},
  };
  TempFolder folder;
  const std::string path = folder.File("rt.dds");
  // Odd sides: every level is read past, and the picture is wider than 13.
  const int32_t width = 13, height = 7;
  for (int32_t planes : {3, 4}) {
    const std::vector<uint8_t> image = NoiseImage(width, height, planes, 17);
    for (const Precision& p : formats) {
      SCOPED_TRACE(std::string(p.kind) + " format " + std::to_string(p.format) + " planes " + std::to_string(planes));
      DXTcompress(image.data(), width, height, p.format, 0, 0, planes, nullptr, path.c_str());
      ReadDdsResult record{};
      ASSERT_EQ(Read_DDS(path.c_str(), &record), 1);
      EXPECT_EQ(record.width, width);
      EXPECT_EQ(record.height, height);
      EXPECT_EQ(std::string(record.caption), std::string(p.kind) + " : 13 x 7");
      ASSERT_NE(record.rgbPixels, nullptr);
      // The packer keeps each channel's top bits: they must come back unchanged.
      for (int32_t i = 0; i < width * height; ++i) {
        const uint8_t* source = &image[size_t(i) * planes];
        const uint8_t* read = &record.rgbPixels[size_t(i) * 3];
        ASSERT_EQ(read[0] >> (8 - p.red), source[2] >> (8 - p.red)) << "pixel " << i;
        ASSERT_EQ(read[1] >> (8 - p.green), source[1] >> (8 - p.green)) << "pixel " << i;
        ASSERT_EQ(read[2] >> (8 - p.blue), source[0] >> (8 - p.blue)) << "pixel " << i;
      }
      std::free(record.rgbPixels);
    }
  }
}

// Block formats written by DXTcompress: the caption and size, and a smooth
// image that comes back close to the original (the layout of blocks, rows
// and levels agrees between writer and reader).
TEST(DdsRoundTrip, BlockFormatsFromDXTcompressReadBack) {
  struct Case {
    int32_t format;
    const char* kind;
  };
  const Case cases[] = {{FormatDXT1, "DDS DXT1 Opaque"},
                        {FormatDXT1a, "DDS DXT1 Opaque"},  // the writer does not mark one-bit alpha
                        {FormatDXT3, "DDS DXT3"},
                        {FormatDXT5, "DDS DXT5"}};
  TempFolder folder;
  const std::string path = folder.File("blocks.dds");
  const int32_t width = 32, height = 16;
  const std::vector<uint8_t> image = GradientImage(width, height, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    DXTcompress(image.data(), width, height, c.format, 0, 0, 4, nullptr, path.c_str());
    ReadDdsResult record{};
    ASSERT_EQ(Read_DDS(path.c_str(), &record), 1);
    EXPECT_EQ(std::string(record.caption), std::string(c.kind) + " : 32 x 16");
    EXPECT_EQ(record.width, width);
    EXPECT_EQ(record.height, height);
    ASSERT_NE(record.rgbPixels, nullptr);
    int64_t error = 0;
    for (int32_t i = 0; i < width * height; ++i) {
      const bool cut = c.format == FormatDXT1a && image[size_t(i) * 4 + 3] <= 128;  // transparent black
      for (int k = 0; k < 3; ++k) {
        const int source = cut ? 0 : image[size_t(i) * 4 + size_t(2 - k)];
        error += std::abs(int(record.rgbPixels[size_t(i) * 3 + size_t(k)]) - source);
      }
    }
    // A block or row out of place would cost tens per channel on this gradient.
    EXPECT_LT(double(error) / (width * height * 3), 8.0);
    std::free(record.rgbPixels);
  }
}

// The writer's header for each block format, followed by a mip chain of
// solid blocks (until the engine writes block formats itself): the reader
// names and sizes every one, and DXT1a files read as opaque DXT1, since the
// writer does not mark their alpha.
TEST(DdsRoundTrip, BlockFormatHeadersFromTheWriterReadBack) {
  struct Case {
    int32_t format;
    const char* caption;
  };
  const Case cases[] = {{FormatDXT1, "DDS DXT1 Opaque : 8 x 4"},
                        {FormatDXT1a, "DDS DXT1 Opaque : 8 x 4"},
                        {FormatDXT3, "DDS DXT3 : 8 x 4"},
                        {FormatDXT5, "DDS DXT5 : 8 x 4"}};
  // Colour block: c0 = c1 = 0xF81F (red 255, green 0, blue 255), indices 0;
  // alpha blocks fully opaque.
  const uint8_t colour[8] = {0x1F, 0xF8, 0x1F, 0xF8, 0, 0, 0, 0};
  const uint8_t alpha[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  TempFolder folder;
  const std::string path = folder.File("blocks.dds");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    const auto header = BuildDdsHeader(8, 4, c.format, uint32_t(LevelByteSize(c.format, 8, 4)));
    std::vector<uint8_t> file(header.begin(), header.end());
    for (int32_t w = 8, h = 4;; w = NextLevelSide(w), h = NextLevelSide(h)) {
      for (uint64_t b = 0; b < LevelByteSize(c.format, uint32_t(w), uint32_t(h)) / BlockBytes(c.format); ++b) {
        if (BlockBytes(c.format) == 16) file.insert(file.end(), alpha, alpha + 8);
        file.insert(file.end(), colour, colour + 8);
      }
      if (w == 1 && h == 1) break;
    }
    test::WriteFile(path, file);
    ReadDdsResult record{};
    ASSERT_EQ(Read_DDS(path.c_str(), &record), 1);
    EXPECT_EQ(std::string(record.caption), c.caption);
    EXPECT_EQ(record.width, 8);
    EXPECT_EQ(record.height, 4);
    ASSERT_NE(record.rgbPixels, nullptr);
    for (int32_t i = 0; i < 8 * 4; ++i) {
      ASSERT_EQ(record.rgbPixels[3 * i], 255) << i;
      ASSERT_EQ(record.rgbPixels[3 * i + 1], 0) << i;
      ASSERT_EQ(record.rgbPixels[3 * i + 2], 255) << i;
    }
    std::free(record.rgbPixels);
  }
}

}  // namespace
}  // namespace quarn
