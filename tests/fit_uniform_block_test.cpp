// Uniform blocks: end points from the vector quantizer's codewords, indices
// by the nearest entry of the palette on the 8-bit codewords.
#include <gtest/gtest.h>

#include <vector>

#include "codec/encode/endpoint_refinement.h"

namespace quarn {
namespace {

struct Rgb {
  int32_t r, g, b;
};

// A record holding `texels` (bytes) in its first rows and `stale` in every
// row after them, as left behind by an earlier block.
ColourBlockFit MakeBlock(const std::vector<Rgb>& texels, int32_t colours, Rgb stale = {0, 0, 0}) {
  ColourBlockFit fit;
  fit.count = static_cast<int32_t>(texels.size());
  fit.colours = colours;
  for (int32_t i = 0; i < 16; ++i) {
    const Rgb& c = i < fit.count ? texels[i] : stale;
    fit.texel[i][0] = c.r / 255.0;
    fit.texel[i][1] = c.g / 255.0;
    fit.texel[i][2] = c.b / 255.0;
  }
  return fit;
}

TEST(FitUniformBlock, OneCodewordGivesEqualEndsAndIndexZero) {
  struct Case {
    int32_t count, colours;
  };
  const Case cases[] = {{16, 4}, {16, 3}, {5, 4}, {5, 3}, {1, 4}};
  const Rgb colour = {200, 100, 50};
  for (const Case& c : cases) {
    // Rows past `count` hold another colour: they must not become a codeword.
    ColourBlockFit fit = MakeBlock(std::vector<Rgb>(c.count, colour), c.colours, {0, 255, 0});
    for (int32_t i = 0; i < 16; ++i) fit.index[i] = 7;
    FitUniformBlock(fit);
    EXPECT_EQ(fit.mode, c.colours);
    for (int32_t e = 0; e < 2; ++e) {
      EXPECT_EQ(fit.end[e][0], 200 >> 3) << c.count;
      EXPECT_EQ(fit.end[e][1], 100 >> 2) << c.count;
      EXPECT_EQ(fit.end[e][2], 50 >> 3) << c.count;
    }
    for (int32_t i = 0; i < c.count; ++i) EXPECT_EQ(fit.index[i], 0) << c.count << " texel " << i;
    for (int32_t i = c.count; i < 16; ++i) EXPECT_EQ(fit.index[i], 7) << "index past count written";
  }
}

TEST(FitUniformBlock, ResultDoesNotDependOnRowsPastCount) {
  const std::vector<Rgb> texels = {{10, 20, 30}, {10, 20, 30}, {250, 240, 230}};
  ColourBlockFit clean = MakeBlock(texels, 4);
  ColourBlockFit stale = MakeBlock(texels, 4, {128, 0, 255});
  FitUniformBlock(clean);
  FitUniformBlock(stale);
  for (int32_t e = 0; e < 2; ++e) {
    for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(stale.end[e][ch], clean.end[e][ch]);
  }
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(stale.index[i], clean.index[i]);
}

TEST(FitUniformBlock, TwoColoursBecomeTheEndsInOrderOfAppearance) {
  const Rgb a = {10, 20, 30};
  const Rgb b = {250, 240, 230};
  for (int32_t colours : {3, 4}) {
    ColourBlockFit fit = MakeBlock({a, b, a, a, b}, colours);
    FitUniformBlock(fit);
    EXPECT_EQ(fit.mode, colours);
    const int32_t expected[2][3] = {{10 >> 3, 20 >> 2, 30 >> 3}, {250 >> 3, 240 >> 2, 230 >> 3}};
    for (int32_t e = 0; e < 2; ++e) {
      for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(fit.end[e][ch], expected[e][ch]);
    }
    const int32_t index[5] = {0, 1, 0, 0, 1};
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(fit.index[i], index[i]) << colours << " texel " << i;
  }
}

TEST(FitUniformBlock, MergedCodewordsAndTheInnerEntries) {
  // Four colours reduce to two codewords: (0,0,0) and (0,0,6) merge first
  // into (0,0,3) with count 2, which then takes in (30,30,32): (10,10,12).
  // (30,30,32) is nearest to entry 2 of either palette: (36,36,38) of four
  // colours, (50,50,51) of three.
  for (int32_t colours : {3, 4}) {
    ColourBlockFit fit = MakeBlock({{0, 0, 0}, {0, 0, 6}, {90, 90, 90}, {30, 30, 32}}, colours, {255, 0, 255});
    FitUniformBlock(fit);
    const int32_t expected[2][3] = {{10 >> 3, 10 >> 2, 12 >> 3}, {90 >> 3, 90 >> 2, 90 >> 3}};
    for (int32_t e = 0; e < 2; ++e) {
      for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(fit.end[e][ch], expected[e][ch]) << colours;
    }
    const int32_t index[4] = {0, 0, 1, 2};
    for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(fit.index[i], index[i]) << colours << " texel " << i;
  }
}

TEST(FitUniformBlock, TexelValuesRoundToTheNearestByte) {
  // Values up to half a step either side of a byte give that byte.
  for (double offset : {-0.49, 0.0, 0.49}) {
    for (int32_t v = 1; v < 255; ++v) {
      ColourBlockFit fit;
      fit.count = 1;
      for (int32_t ch = 0; ch < 3; ++ch) fit.texel[0][ch] = (v + offset) / 255.0;
      FitUniformBlock(fit);
      ASSERT_EQ(fit.end[0][0], v >> 3) << v << " " << offset;
      ASSERT_EQ(fit.end[0][1], v >> 2) << v << " " << offset;
    }
  }
}

}  // namespace
}  // namespace quarn
