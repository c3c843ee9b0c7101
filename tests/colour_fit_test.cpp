// FitColourBlock end to end, with the refinement: which start reaches the
// refinement shows in the stored end points, modes and indices.
#include <vector>

#include <gtest/gtest.h>

#include "codec/encode/colour_block_fit.h"

namespace quarn {
namespace {

// Texels given as 8-bit red, green, blue.
ColourBlockFit MakeBlock(const std::vector<std::vector<int>>& texels, int32_t colours, bool alphaBlock) {
  ColourBlockFit fit;
  fit.count = static_cast<int32_t>(texels.size());
  for (size_t i = 0; i < texels.size(); ++i) {
    for (int ch = 0; ch < 3; ++ch) fit.texel[i][ch] = texels[i][ch] / 255.0;
  }
  for (int ch = 0; ch < 3; ++ch) fit.weight[ch] = kColourWeights[ch];
  fit.colours = colours;
  fit.alphaBlock = alphaBlock;
  return fit;
}

// Pure red and pure blue lie on the 5:6:5 grid, so the first try of the
// refinement (the two colours as a three-colour palette) is exact and stays.
const std::vector<int> kRed = {255, 0, 0};
const std::vector<int> kBlue = {0, 0, 255};

TEST(FitColourBlockTest, TwoColoursKeepTheFirstSeenColourAsFirstEndPoint) {
  for (bool blueFirst : {false, true}) {
    const std::vector<int>& first = blueFirst ? kBlue : kRed;
    const std::vector<int>& second = blueFirst ? kRed : kBlue;
    ColourBlockFit fit = MakeBlock({first, second, second, first, second}, 4, false);
    FitColourBlock(fit);
    EXPECT_EQ(fit.mode, 3);  // from the refinement, not the shortcut's 2
    const int32_t red[3] = {31, 0, 0};
    const int32_t blue[3] = {0, 0, 31};
    for (int ch = 0; ch < 3; ++ch) {
      EXPECT_EQ(fit.end[0][ch], (blueFirst ? blue : red)[ch]) << "blue first " << blueFirst;
      EXPECT_EQ(fit.end[1][ch], (blueFirst ? red : blue)[ch]) << "blue first " << blueFirst;
    }
    EXPECT_EQ(std::vector<int32_t>(fit.index, fit.index + 5), (std::vector<int32_t>{0, 1, 1, 0, 1}));
  }
}

TEST(FitColourBlockTest, WithAnAlphaBlockTwoColoursBecomeAFourColourBlock) {
  ColourBlockFit fit = MakeBlock({kRed, kBlue, kBlue, kRed, kBlue}, 3, true);
  FitColourBlock(fit);
  EXPECT_EQ(fit.colours, 4);
  EXPECT_EQ(fit.mode, 4);
  // Both colours are end points; each texel takes its own.
  const int32_t redIndex = fit.end[0][0] == 31 ? 0 : 1;
  EXPECT_EQ(fit.end[redIndex][0], 31);
  EXPECT_EQ(fit.end[1 - redIndex][2], 31);
  EXPECT_EQ(std::vector<int32_t>(fit.index, fit.index + 5),
            (std::vector<int32_t>{redIndex, 1 - redIndex, 1 - redIndex, redIndex, 1 - redIndex}));
}

TEST(FitColourBlockTest, ThreeColourBlocksStayThreeColour) {
  // A ramp that a four-colour block would fit with four levels.
  std::vector<std::vector<int>> ramp;
  for (int i = 0; i < 12; ++i) ramp.push_back({20 * i, 10 + 15 * i, 200 - 12 * i});
  ColourBlockFit fit = MakeBlock(ramp, 3, false);
  FitColourBlock(fit);
  EXPECT_EQ(fit.mode, 3);
  for (int i = 0; i < 12; ++i) EXPECT_LT(fit.index[i], 3) << i;
}

TEST(FitColourBlockTest, RepeatedColoursShareTheirIndex) {
  const std::vector<int> a = {200, 40, 10}, b = {90, 120, 60}, c = {10, 200, 240};
  ColourBlockFit fit = MakeBlock({a, b, c, c, b, a, c, b, a}, 4, false);
  FitColourBlock(fit);
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 9; ++j) {
      if (fit.texel[i][0] == fit.texel[j][0]) {
        EXPECT_EQ(fit.index[i], fit.index[j]) << i << " " << j;
      }
    }
  }
  EXPECT_NE(fit.index[0], fit.index[2]);
}

TEST(FitColourBlockTest, NearlyEqualTexelsTakeTheUniformPath) {
  // Differences below 2^-11 are no colour difference: one codeword, equal end
  // points, index 0 everywhere.
  ColourBlockFit fit = MakeBlock(std::vector<std::vector<int>>(16, {100, 150, 200}), 4, false);
  fit.texel[5][1] += 0.0004;
  FitColourBlock(fit);
  EXPECT_EQ(fit.mode, 4);
  for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(fit.end[0][ch], fit.end[1][ch]);
  EXPECT_EQ(fit.end[0][0], 100 >> 3);
  EXPECT_EQ(fit.end[0][1], 150 >> 2);
  EXPECT_EQ(fit.end[0][2], 200 >> 3);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(fit.index[i], 0) << i;
}

}  // namespace
}  // namespace quarn
