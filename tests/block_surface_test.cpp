// The block walk: which texels reach the fitters (clipping, the alpha cut,
// slot maps), how they are scaled, and where each block lands. The fitters
// are stand-ins that record what they were given and answer with a fixed
// result, so these checks do not depend on the search.
#include "codec/encode/block_surface.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "codec/encode/level_surface.h"
#include "codec/encode/colour_block_fit.h"
#include "codec/mip/rgba_image.h"

namespace quarn {
namespace {

struct ColourCall {
  int32_t count;
  int32_t colours;
  bool alphaBlock;
  std::vector<std::array<double, 3>> texels;
};
struct AlphaCall {
  std::vector<float> alpha;
};

// What the stand-ins saw, in call order (the tests run on one thread).
std::vector<ColourCall> colourCalls;
std::vector<AlphaCall> alphaCalls;

// Answers with a four-colour block 0xF800 / 0x001F, fitted texel i on index
// i % 3 (so a fitted texel never shows index 3).
void RecordColour(ColourBlockFit& fit) {
  ColourCall call{fit.count, fit.colours, fit.alphaBlock, {}};
  for (int32_t i = 0; i < fit.count; ++i) call.texels.push_back({fit.texel[i][0], fit.texel[i][1], fit.texel[i][2]});
  colourCalls.push_back(call);
  fit.mode = 4;
  fit.end[0][0] = 31;
  fit.end[0][1] = 0;
  fit.end[0][2] = 0;
  fit.end[1][0] = 0;
  fit.end[1][1] = 0;
  fit.end[1][2] = 31;
  for (int32_t i = 0; i < fit.count; ++i) fit.index[i] = i % 3;
}

// Answers with an eight-level ramp stored in order (200, 10), value i on code
// 2 + i % 6 (so a fitted texel never shows code 0).
void RecordAlpha(AlphaBlockFit& fit) {
  alphaCalls.push_back({std::vector<float>(fit.alpha, fit.alpha + fit.count)});
  fit.levels = 8;
  fit.end0 = 200;
  fit.end1 = 10;
  for (int32_t i = 0; i < fit.count; ++i) fit.code[i] = 2 + i % 6;
}

class BlockSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    colourCalls.clear();
    alphaCalls.clear();
  }

  // Encodes `image` as the entry functions describe it, with the stand-ins.
  static std::vector<uint8_t> Encode(const RgbaImage& image, uint32_t flags) {
    const SurfaceDesc desc = DescribeLevel(image, flags == ColourOpaque ? 0 : 0xFF000000u);
    std::vector<uint8_t> out(BlockSurfaceSize(desc, flags), 0);
    BlockFitters fitters;
    fitters.colour = RecordColour;
    fitters.alpha = RecordAlpha;
    EncodeBlockSurfaceWith(desc, out.data(), flags, kColourWeights, fitters);
    return out;
  }

  static void Fill(RgbaImage& image, uint32_t pixel) {
    for (size_t i = 0; i < image.capacity(); ++i) image.pixels()[i] = pixel;
  }
};

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t ColourIndex(const std::vector<uint8_t>& b, size_t colourBlock, int32_t k) {
  return (Le32(b, colourBlock + 4) >> (2 * k)) & 3;
}

TEST_F(BlockSurfaceTest, FiveByThreeSurfaceTakesTwoBlocksAndClipsTheSecond) {
  RgbaImage image(5, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) image.pixels()[y * 5 + x] = MakePixel(x * 50, y * 100, 7, 255);
  const std::vector<uint8_t> out = Encode(image, ColourOpaque);
  ASSERT_EQ(out.size(), 16u);
  ASSERT_EQ(colourCalls.size(), 2u);
  EXPECT_EQ(colourCalls[0].count, 12);
  EXPECT_EQ(colourCalls[1].count, 3);
  EXPECT_EQ(colourCalls[1].colours, 4);
  // The second block's texels are column 4 of rows 0 to 2, red 7, green
  // 100*y, blue 200.
  for (int32_t y = 0; y < 3; ++y) {
    EXPECT_EQ(colourCalls[1].texels[y][0], 7.0 / 255.0);
    EXPECT_EQ(colourCalls[1].texels[y][1], (100.0 * y) / 255.0);
    EXPECT_EQ(colourCalls[1].texels[y][2], 200.0 / 255.0);
  }
  for (int32_t k = 0; k < 16; ++k) {
    // First block: rows 0 to 2 inside, fit texel k at position k.
    EXPECT_EQ(ColourIndex(out, 0, k), k < 12 ? static_cast<uint32_t>(k % 3) : 3u) << k;
    // Second block: only column 0 of rows 0 to 2, fit texel k / 4.
    const bool inside = (k & 3) == 0 && k < 12;
    EXPECT_EQ(ColourIndex(out, 8, k), inside ? static_cast<uint32_t>((k / 4) % 3) : 3u) << k;
  }
}

// A level narrower or lower than a block is clipped like an edge block: the
// texels beyond the level in the image's storage are never read.
TEST_F(BlockSurfaceTest, SmallLevelsAreClippedAndNeverReadBeyondTheLevel) {
  struct Case {
    int32_t width, height;
  };
  for (const Case c : {Case{1, 1}, Case{2, 2}, Case{1, 4}, Case{3, 1}}) {
    SetUp();
    RgbaImage image(c.width, c.height);
    Fill(image, MakePixel(255, 255, 255, 0));  // storage beyond the level
    for (int32_t i = 0; i < c.width * c.height; ++i) image.pixels()[i] = MakePixel(1, 2, 3, 77);
    for (uint32_t flags : {uint32_t{ColourOpaque}, uint32_t{ColourAlphaCut}, uint32_t{AlphaExplicit},
                           uint32_t{AlphaInterpolated}}) {
      SetUp();
      const std::vector<uint8_t> out = Encode(image, flags);
      const size_t blockBytes = (flags & 0xFF00u) != 0 ? 16 : 8;
      ASSERT_EQ(out.size(), blockBytes);
      if (flags == ColourAlphaCut) {
        // Alpha 77 is cut everywhere: no fit, every position index 3.
        EXPECT_TRUE(colourCalls.empty());
        EXPECT_EQ(Le32(out, 4), 0xFFFFFFFFu);
        continue;
      }
      ASSERT_EQ(colourCalls.size(), 1u);
      EXPECT_EQ(colourCalls[0].count, c.width * c.height);
      for (const auto& t : colourCalls[0].texels) {
        EXPECT_EQ(t[0], 3.0 / 255.0);
        EXPECT_EQ(t[1], 2.0 / 255.0);
        EXPECT_EQ(t[2], 1.0 / 255.0);
      }
      if (flags == AlphaInterpolated) {
        ASSERT_EQ(alphaCalls.size(), 1u);
        EXPECT_EQ(alphaCalls[0].alpha, std::vector<float>(c.width * c.height, 77.0f / 255.0f));
      }
      if (flags == AlphaExplicit) {
        for (int32_t y = 0; y < 4; ++y)
          for (int32_t x = 0; x < 4; ++x) {
            const uint32_t nibble = (out[2 * y + x / 2] >> (4 * (x & 1))) & 15;
            EXPECT_EQ(nibble, (x < c.width && y < c.height) ? 5u : 0u) << c.width << "x" << c.height;
          }
      }
    }
  }
}

TEST_F(BlockSurfaceTest, AllCutBlockIsTransparentWithoutAFit) {
  RgbaImage image(4, 4);
  for (int32_t i = 0; i < 16; ++i) image.pixels()[i] = MakePixel(200, 100, 50, static_cast<uint32_t>(i * 8));
  const std::vector<uint8_t> out = Encode(image, ColourAlphaCut);  // alpha 0 to 120
  EXPECT_TRUE(colourCalls.empty());
  EXPECT_EQ(out, (std::vector<uint8_t>{0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(BlockSurfaceTest, AlphaCutLeavesOutTexelsAtOrBelow128) {
  RgbaImage image(4, 4);
  Fill(image, MakePixel(10, 20, 30, 255));
  image.pixels()[1] = MakePixel(10, 20, 30, 128);  // cut
  image.pixels()[2] = MakePixel(10, 20, 30, 129);  // kept
  image.pixels()[7] = MakePixel(10, 20, 30, 0);    // cut
  const std::vector<uint8_t> out = Encode(image, ColourAlphaCut);
  ASSERT_EQ(colourCalls.size(), 1u);
  EXPECT_EQ(colourCalls[0].count, 14);
  EXPECT_EQ(colourCalls[0].colours, 3);
  EXPECT_FALSE(colourCalls[0].alphaBlock);
  // Slots run over the kept texels: position 2 is fit texel 1, position 8
  // fit texel 6. The stand-in's four-colour result (c0 > c1) stays as is.
  EXPECT_EQ(ColourIndex(out, 0, 1), 3u);
  EXPECT_EQ(ColourIndex(out, 0, 7), 3u);
  EXPECT_EQ(ColourIndex(out, 0, 2), 1u);
  EXPECT_EQ(ColourIndex(out, 0, 8), 0u);
}

TEST_F(BlockSurfaceTest, OpaqueCutModeBlockIsFittedWithFourColours) {
  RgbaImage image(4, 4);
  Fill(image, MakePixel(10, 20, 30, 129));
  Encode(image, ColourAlphaCut);
  ASSERT_EQ(colourCalls.size(), 1u);
  EXPECT_EQ(colourCalls[0].count, 16);
  EXPECT_EQ(colourCalls[0].colours, 4);
}

TEST_F(BlockSurfaceTest, InterpolatedAlphaGetsSinglePrecisionQuotients) {
  RgbaImage image(4, 4);
  for (int32_t i = 0; i < 16; ++i) image.pixels()[i] = MakePixel(0, 0, 0, static_cast<uint32_t>(i * 17));
  const std::vector<uint8_t> out = Encode(image, AlphaInterpolated);
  ASSERT_EQ(out.size(), 16u);
  ASSERT_EQ(alphaCalls.size(), 1u);
  ASSERT_EQ(alphaCalls[0].alpha.size(), 16u);
  for (int32_t i = 0; i < 16; ++i) {
    const float expected = static_cast<float>(i * 17) / 255.0f;
    EXPECT_EQ(alphaCalls[0].alpha[i], expected) << i;
  }
  EXPECT_EQ(alphaCalls[0].alpha[15], 1.0f);
  ASSERT_EQ(colourCalls.size(), 1u);
  EXPECT_TRUE(colourCalls[0].alphaBlock);
  EXPECT_EQ(colourCalls[0].colours, 4);
  // The stand-in's ramp (200, 10) is already in eight-level order.
  EXPECT_EQ(out[0], 200);
  EXPECT_EQ(out[1], 10);
}

TEST_F(BlockSurfaceTest, BlocksFollowInRowOrder) {
  // 8x8: four blocks, each of one colour; block b gets red 10 * (b + 1).
  RgbaImage image(8, 8);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      const uint32_t block = static_cast<uint32_t>((y / 4) * 2 + x / 4);
      image.pixels()[y * 8 + x] = MakePixel(0, 0, 10 * (block + 1), 255);
    }
  const std::vector<uint8_t> out = Encode(image, AlphaExplicit);
  ASSERT_EQ(out.size(), 64u);
  ASSERT_EQ(colourCalls.size(), 4u);
  for (int32_t b = 0; b < 4; ++b) EXPECT_EQ(colourCalls[b].texels[0][0], (10.0 * (b + 1)) / 255.0) << b;
  for (size_t at = 0; at < 64; at += 16) {
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(out[at + i], 0xFF) << at;  // explicit alpha first
    EXPECT_EQ(out[at + 8], 0x00);                                       // then colour 0xF800
    EXPECT_EQ(out[at + 9], 0xF8);
  }
}

TEST(BlockSurfaceSize, Values) {
  struct Case {
    uint32_t width, height, flags, bytes;
  };
  const Case cases[] = {
      {1, 1, ColourOpaque, 8},        {1, 1, ColourAlphaCut, 8},       {1, 1, AlphaExplicit, 16},
      {1, 1, AlphaInterpolated, 16},  {2, 2, ColourOpaque, 8},         {5, 3, ColourOpaque, 16},
      {5, 3, AlphaInterpolated, 32},  {512, 512, ColourOpaque, 131072}, {512, 512, AlphaExplicit, 262144},
      {13, 9, AlphaExplicit, 16 * 4 * 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BlockSurfaceSize(c.width, c.height, c.flags), c.bytes) << c.width << "x" << c.height << " " << c.flags;
}

}  // namespace
}  // namespace quarn
