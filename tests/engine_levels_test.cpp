// The level loop: which levels come out, their sizes and their pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "codec/engine/compress_image.h"
#include "codec/engine/compress_levels.h"
#include "codec/engine/texture_format.h"
#include "codec/mip/mip_chain.h"
#include "support/test_images.h"

namespace quarn {
namespace {

struct EmittedLevel {
  int32_t level;
  std::vector<uint8_t> bytes;
};

std::vector<EmittedLevel> CompressToLevels(const std::vector<uint8_t>& image, int32_t width, int32_t height,
                                           int32_t planes, int32_t format, bool dither = false) {
  std::vector<EmittedLevel> levels;
  const EncodeSettings settings = SettingsForFormat(format, dither);
  const int32_t status = CompressImage(
      image.data(), width, height, width * planes, settings, planes,
      [&](const uint8_t* bytes, int32_t level, int32_t count) {
        levels.push_back({level, std::vector<uint8_t>(bytes, bytes + count)});
      },
      nullptr);
  EXPECT_EQ(status, CompressDone);
  return levels;
}

TEST(EngineLevels, SequenceAndByteCountsFollowTheSizeRule) {
  struct Case {
    int32_t width, height, format;
    std::vector<std::pair<int32_t, int32_t>> sides;
  };
  const Case cases[] = {
      {256, 64, Format565, {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}}},
      {48, 48, Format8888, {{48, 48}, {24, 24}, {12, 12}, {6, 6}, {3, 3}, {2, 2}, {1, 1}}},
      {5, 5, Format888, {{5, 5}, {3, 3}, {2, 2}, {1, 1}}},
      {1, 1, Format4444, {{1, 1}}},
      {1, 7, Format555, {{1, 7}, {1, 4}, {1, 2}, {1, 1}}},
      {256, 64, FormatDXT1, {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}}},
      {1, 1, FormatDXT5, {{1, 1}}},
      {2, 8, FormatDXT3, {{2, 8}, {1, 4}, {1, 2}, {1, 1}}},
      {4, 4, FormatDXT1a, {{4, 4}, {2, 2}, {1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " format " << c.format);
    const std::vector<uint8_t> image = GradientImage(c.width, c.height, 4);
    const std::vector<EmittedLevel> levels = CompressToLevels(image, c.width, c.height, 4, c.format);
    ASSERT_EQ(levels.size(), c.sides.size());
    for (size_t i = 0; i < levels.size(); ++i) {
      EXPECT_EQ(levels[i].level, static_cast<int32_t>(i));
      EXPECT_EQ(levels[i].bytes.size(),
                LevelByteSize(c.format, static_cast<uint32_t>(c.sides[i].first),
                              static_cast<uint32_t>(c.sides[i].second)));
    }
  }
}

TEST(EngineLevels, RefusalsComeBeforeAnythingIsEmitted) {
  const std::vector<uint8_t> image(64 * 64 * 4, 0x80);
  struct Case {
    const uint8_t* pixels;
    int32_t width, height, planes, format, status;
  };
  const Case cases[] = {
      {nullptr, 64, 64, 7, Format565, CompressNullImage},  // null wins over bad planes
      {image.data(), 64, 64, 2, Format565, CompressBadPlanes},
      {image.data(), 64, 64, 5, Format565, CompressBadPlanes},
      {image.data(), 0, 64, 4, Format565, CompressBadSize},    // side 0 in a pixel format
      {image.data(), -4, 4, 4, Format8888, CompressBadSize},   // negative side
      {image.data(), 32768, 1, 4, Format565, CompressBadSize},  // above 32767
      {image.data(), 8, 8, 4, 9, CompressBadSize},              // unknown format codes
      {image.data(), 8, 8, 4, 20, CompressBadSize},
      {image.data(), 30000, 30000, 4, Format8888, CompressBadSize},  // 3.6 GB level does not fit int32
      {image.data(), 256, 48, 4, FormatDXT1, CompressBadSize},        // DXT sides must be powers of two
      {image.data(), 0, 64, 4, FormatDXT5, CompressBadSize},
      {image.data(), 3, 4, 4, FormatDXT3, CompressBadSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " planes " << c.planes << " format "
                                    << c.format);
    EncodeSettings settings;
    settings.format = static_cast<int16_t>(c.format);
    int calls = 0;
    const int32_t status = CompressImage(
        c.pixels, c.width, c.height, c.width * c.planes, settings, c.planes,
        [&](const uint8_t*, int32_t, int32_t) { ++calls; }, nullptr);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(calls, 0);
  }
}

TEST(EngineLevels, ThreePlaneSourceRowsAreWidthTimesThreeApart) {
  // 5x2 source of three bytes per pixel: row 1 starts at byte 15.
  std::vector<uint8_t> image(5 * 2 * 3);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 1);
  const std::vector<EmittedLevel> levels = CompressToLevels(image, 5, 2, 3, Format8888);
  ASSERT_FALSE(levels.empty());
  const std::vector<uint8_t>& level0 = levels[0].bytes;
  ASSERT_EQ(level0.size(), 5u * 2u * 4u);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      const size_t in = static_cast<size_t>(y * 15 + x * 3);
      const size_t out = static_cast<size_t>((y * 5 + x) * 4);
      EXPECT_EQ(level0[out + 0], image[in + 0]);
      EXPECT_EQ(level0[out + 1], image[in + 1]);
      EXPECT_EQ(level0[out + 2], image[in + 2]);
      EXPECT_EQ(level0[out + 3], 255);  // no fourth plane: opaque
    }
  }
}

// Alpha of level 0 and of the smaller levels with one-bit alpha (format
// 1555 keeps the cut visible in its top bit; 8888 shows the raw averages).
TEST(EngineLevels, OneBitAlphaCutsTheBaseAndInPlaceLevelsButNotChainLevels) {
  // Source alpha 127 everywhere: the base becomes 255.
  {
    const std::vector<uint8_t> image = SolidImage(4, 4, 4, 10, 20, 30, 127);
    const std::vector<EmittedLevel> levels = CompressToLevels(image, 4, 4, 4, Format1555);
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].bytes[1] & 0x80, 0x80);
  }
  // 2x2 reduced in place from alphas 0, 0, 255, 255: 127, cut up to 255.
  {
    std::vector<uint8_t> image = SolidImage(2, 2, 4, 0, 0, 0, 0);
    image[2 * 4 + 3] = 255;
    image[3 * 4 + 3] = 255;
    const std::vector<EmittedLevel> levels = CompressToLevels(image, 2, 2, 4, Format1555);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[1].bytes[1] & 0x80, 0x80);
  }
  // Chain levels keep the plain average: 8x8 whose rows alternate alpha 0
  // and 255 averages to 127 at 4x4 and 2x2 (both from the chain, uncut);
  // the 1x1 level, reduced in place from the 2x2, cuts 127 to 255.
  {
    std::vector<uint8_t> image = SolidImage(8, 8, 4, 0, 0, 0, 255);
    for (int32_t y = 0; y < 8; y += 2)
      for (int32_t x = 0; x < 8; ++x) image[static_cast<size_t>((y * 8 + x) * 4 + 3)] = 0;
    std::vector<int32_t> alphas;
    EncodeSettings settings;
    settings.format = Format8888;
    settings.oneBitAlpha = 1;
    CompressImage(
        image.data(), 8, 8, 32, settings, 4,
        [&](const uint8_t* bytes, int32_t, int32_t) { alphas.push_back(bytes[3]); }, nullptr);
    EXPECT_EQ(alphas, (std::vector<int32_t>{0, 127, 127, 255}));
  }
}

TEST(EngineLevels, BoxFilterAveragesAndRepeatsTheLastColumnAndRow) {
  // Level of width 1 and height 2: one pixel (2a + 2b) / 4 per channel.
  {
    RgbaImage level(1, 2);
    level.pixels()[0] = MakePixel(1, 10, 200, 0);
    level.pixels()[1] = MakePixel(2, 13, 255, 255);
    HalveLevelInPlace(level, false);
    EXPECT_EQ(level.width, 1);
    EXPECT_EQ(level.height, 1);
    EXPECT_EQ(level.pixels()[0], MakePixel(1, 11, 227, 127));
  }
  // 3x1 to 2x1: columns 0 and 1, then column 2 with itself.
  {
    RgbaImage level(3, 1);
    level.pixels()[0] = MakePixel(1, 0, 0, 1);
    level.pixels()[1] = MakePixel(1, 0, 0, 2);
    level.pixels()[2] = MakePixel(9, 0, 0, 255);
    HalveLevelInPlace(level, false);
    EXPECT_EQ(level.width, 2);
    EXPECT_EQ(level.pixels()[0], MakePixel(1, 0, 0, 1));  // (1+2+1+2)/4 = 1 for alpha
    EXPECT_EQ(level.pixels()[1], MakePixel(9, 0, 0, 255));
  }
  // Alpha 0, 0, 255, 255 gives 127; 1, 1, 1, 2 gives 1; 255 stays 255.
  EXPECT_EQ(PixelAlpha(AverageFourPixels(0, 0, 0xFF000000u, 0xFF000000u)), 127u);
  EXPECT_EQ(PixelAlpha(AverageFourPixels(1u << 24, 1u << 24, 1u << 24, 2u << 24)), 1u);
  EXPECT_EQ(AverageFourPixels(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

TEST(EngineLevels, ChainEqualsPerChannelTruncatedMeansOnRealSizes) {
  // Every level of a 7x5 image against a direct per-channel computation.
  const int32_t width = 7, height = 5;
  std::vector<uint8_t> image = NoiseImage(width, height, 4, 1234);
  std::vector<std::vector<uint8_t>> expected;
  std::vector<uint8_t> current = image;
  int32_t w = width, h = height;
  expected.push_back(current);
  while (w > 1 || h > 1) {
    const int32_t nw = (w + 1) / 2, nh = (h + 1) / 2;
    std::vector<uint8_t> next(static_cast<size_t>(nw * nh * 4));
    for (int32_t y = 0; y < nh; ++y)
      for (int32_t x = 0; x < nw; ++x)
        for (int32_t c = 0; c < 4; ++c) {
          const int32_t x0 = 2 * x, x1 = std::min(2 * x + 1, w - 1);
          const int32_t y0 = 2 * y, y1 = std::min(2 * y + 1, h - 1);
          const auto at = [&](int32_t px, int32_t py) { return current[static_cast<size_t>((py * w + px) * 4 + c)]; };
          next[static_cast<size_t>((y * nw + x) * 4 + c)] =
              static_cast<uint8_t>((at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1)) / 4);
        }
    current = next;
    w = nw;
    h = nh;
    expected.push_back(current);
  }
  const std::vector<EmittedLevel> levels = CompressToLevels(image, width, height, 4, Format8888);
  ASSERT_EQ(levels.size(), expected.size());
  for (size_t i = 0; i < levels.size(); ++i) EXPECT_EQ(levels[i].bytes, expected[i]) << "level " << i;
}

}  // namespace
}  // namespace quarn
