// The DXT5 alpha fitter: the ramp fit on its own and the choice among the
// five configurations. Expected end points, levels and codes are worked out
// by hand in the comments; errors follow from those levels by definition
// (sum of (level - 255 x)^2 in value order).
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "codec/decode/alpha_block_fit.h"

namespace quarn {
namespace {

struct RampCase {
  std::string name;
  int32_t levels;
  std::vector<double> values;
  int32_t end0, end1;
  std::vector<int32_t> codes;
  std::vector<int32_t> codeLevels;  // the level that each code stands for
};

void PrintTo(const RampCase& c, std::ostream* os) { *os << c.name; }

class FitAlphaRampTest : public testing::TestWithParam<RampCase> {};

TEST_P(FitAlphaRampTest, EndPointsCodesAndError) {
  const RampCase& c = GetParam();
  int32_t ends[2] = {-1, -1};
  std::vector<int32_t> codes(c.values.size(), -1);
  const double error =
      FitAlphaRamp(c.levels, static_cast<int32_t>(c.values.size()), c.values.data(), ends, codes.data());
  EXPECT_EQ(ends[0], c.end0);
  EXPECT_EQ(ends[1], c.end1);
  EXPECT_EQ(codes, c.codes);
  double expected = 0.0;
  for (size_t j = 0; j < c.values.size(); ++j) {
    const double difference = c.codeLevels[j] - 255.0 * c.values[j];
    expected += difference * difference;
  }
  EXPECT_DOUBLE_EQ(error, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitAlphaRampTest,
    testing::Values(
        // One value: both ends floor(255 x + 0.5) = floor(95.625 + 0.5) = 96,
        // code 0, error 0.375^2.
        RampCase{"OneValue", 8, {0.375}, 96, 96, {0}, {96}},
        // One bin after the first assignment: ends floor(127.5 + 0.5) = 128.
        RampCase{"AllEqual", 6, {0.5, 0.5, 0.5, 0.5}, 128, 128, {0, 0, 0, 0}, {128, 128, 128, 128}},
        // End points are limited to 0 to 255: floor(382.5 + 0.5) = 383 and
        // floor(-63.75 + 0.5) = -64.
        RampCase{"EndPointAbove255IsLimited", 6, {1.5}, 255, 255, {0}, {255}},
        RampCase{"EndPointBelow0IsLimited", 8, {-0.25}, 0, 0, {0}, {0}},
        // Two clusters fit exactly: ends 0 and 1. Eight levels 0, 1, then
        // (j - 1 + 3)/7 = 0, 0, 0, 1, 1, 1: equal levels go to the lowest
        // code, so 0 -> code 0 and 1/255 -> code 1.
        RampCase{"EqualLevelsTakeTheLowestCodeOfEight",
                 8,
                 {0.0, 1.0 / 255.0, 1.0 / 255.0, 0.0},
                 0,
                 1,
                 {0, 1, 1, 0},
                 {0, 1, 1, 0}},
        // Six levels 0, 1, (j - 1 + 2)/5 = 0, 0, 1, 1.
        RampCase{"EqualLevelsTakeTheLowestCodeOfSix", 6, {1.0 / 255.0, 0.0}, 0, 1, {1, 0}, {1, 0}},
        // 0, 2/7 and 1 lie on ramp indices 0, 2 and 7 of 0..255. Level 3 is
        // (5*0 + 2*255 + 3)/7 = 513/7 = 73 (72 without the +3); the target
        // 72.857 takes code 3.
        RampCase{"EightLevelsAddThreeBeforeDividingBySeven",
                 8,
                 {0.0, 2.0 / 7.0, 1.0},
                 0,
                 255,
                 {0, 3, 1},
                 {0, 73, 255}},
        // 0, x = 254/1275 and 254/255 lie on indices 0, 1 and 5 of 0..254.
        // Level 2 is (4*0 + 254 + 2)/5 = 256/5 = 51 (50 without the +2); the
        // target 50.8 takes code 2.
        RampCase{"SixLevelsAddTwoBeforeDividingByFive",
                 6,
                 {0.0, 254.0 / 1275.0, 254.0 / 255.0},
                 0,
                 254,
                 {0, 2, 1},
                 {0, 51, 254}},
        // Values 108, 105, 117, 106, 109 (/255 as float, mean 109). The
        // assignments A = {2, 0, 7, 1, 2} and B = {2, 0, 7, 1, 3} differ only
        // in the value at the mean, so both have Skk = 29.2 and Sxk = 51/255
        // and score the same; rounding makes each look better from the
        // other, and the move search alternates A, A, B, B, ... until the
        // budget runs out. Iteration 65 fits A: lo = -2.4 * 51/29.2 =
        // -4.19/255 and hi = 4.6 * 51/29.2 = 8.03/255 around 109, so the
        // ends are 105 and 117 (B, after 64 iterations, would give 104).
        // Levels 105, 117, 107, 108, 110, 112, 114, 115; 106 and 109 lie
        // 1.2e-6 above their integers and take 107 and 110.
        RampCase{"NonConvergingFitStopsAfterIteration65",
                 8,
                 {108.0f / 255.0f, 105.0f / 255.0f, 117.0f / 255.0f, 106.0f / 255.0f, 109.0f / 255.0f},
                 105,
                 117,
                 {3, 0, 1, 2, 4},
                 {108, 105, 117, 107, 110}}),
    [](const testing::TestParamInfo<RampCase>& param) { return param.param.name; });

TEST(FitAlphaRampTest, NoValuesWriteNothing) {
  int32_t ends[2] = {7, 9};
  int32_t code = 5;
  EXPECT_EQ(FitAlphaRamp(8, 0, nullptr, ends, &code), 0.0);
  EXPECT_EQ(ends[0], 7);
  EXPECT_EQ(ends[1], 9);
  EXPECT_EQ(code, 5);
}

struct BlockCase {
  std::string name;
  std::vector<float> alpha;
  int32_t levels, end0, end1;
  std::vector<int32_t> codes;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

// `head` followed by `a` and `b` alternating until there are sixteen values.
std::vector<float> Block(std::vector<float> head, float a, float b) {
  while (head.size() < 16) head.push_back(head.size() % 2 == 0 ? a : b);
  return head;
}

// Codes for Block(): `head` codes, then 0 for a and 1 for b.
std::vector<int32_t> Codes(std::vector<int32_t> head) {
  while (head.size() < 16) head.push_back(head.size() % 2 == 0 ? 0 : 1);
  return head;
}

class FitAlphaBlockTest : public testing::TestWithParam<BlockCase> {};

TEST_P(FitAlphaBlockTest, ChosenConfiguration) {
  const BlockCase& c = GetParam();
  AlphaBlockFit fit;
  fit.count = static_cast<int32_t>(c.alpha.size());
  for (size_t i = 0; i < c.alpha.size(); ++i) fit.alpha[i] = c.alpha[i];
  fit.levels = -1;
  fit.end0 = fit.end1 = -1;
  for (int32_t& code : fit.code) code = -1;
  FitAlphaBlock(fit);
  EXPECT_EQ(fit.levels, c.levels);
  EXPECT_EQ(fit.end0, c.end0);
  EXPECT_EQ(fit.end1, c.end1);
  EXPECT_EQ(std::vector<int32_t>(fit.code, fit.code + c.alpha.size()), c.codes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitAlphaBlockTest,
    testing::Values(
        // All equal: one bin, ends floor(127.5 + 0.5) = 128, every code 0;
        // the six-level configuration ties and loses.
        BlockCase{"AllEqual", std::vector<float>(16, 0.5f), 8, 128, 128, std::vector<int32_t>(16, 0)},
        // Only 0.0 and 1.0: eight levels from 0 to 255 fit with error 0;
        // the configurations that set values aside tie at best and lose.
        BlockCase{"OnlyZeroAndOne", Block({}, 0.0f, 1.0f), 8, 0, 255, Codes({})},
        BlockCase{"AllZero", std::vector<float>(16, 0.0f), 8, 0, 0, std::vector<int32_t>(16, 0)},
        BlockCase{"AllOne", std::vector<float>(16, 1.0f), 8, 255, 255, std::vector<int32_t>(16, 0)},
        // One value: floor(95.625 + 0.5) = 96 for both ends.
        BlockCase{"OneValue", {0.375f}, 8, 96, 96, {0}},
        // 0.0, 1.0 and clusters at 0.25 and 0.75. Setting both exact values
        // aside fits the clusters exactly: floor(63.75 + 0.5) = 64 and
        // floor(191.25 + 0.5) = 191, error 14 * 0.0625. Every ramp that
        // must also cover 0 or 1 misses a cluster by several steps.
        BlockCase{"ExactZeroAndOneSetAside", Block({0.0f, 1.0f}, 0.25f, 0.75f), 6, 64, 191, Codes({6, 7})},
        // Exact 0.0 with clusters at 0.25 and 0.8 (0.8f * 255 = 204.000003):
        // ends 64 and 204. No ramp through 0 hits both clusters (0.25/0.8 =
        // 5/16). The last configuration fits the same values and ties.
        BlockCase{"ExactZeroSetAside", Block({0.0f, 0.0f}, 0.25f, 0.8f), 6, 64, 204, Codes({6, 6})},
        // Exact 1.0 with clusters at 0.2 (0.2f * 255 = 51.0000008) and 0.75:
        // ends 51 and 191.
        BlockCase{"ExactOneSetAside", Block({1.0f, 1.0f}, 0.2f, 0.75f), 6, 51, 191, Codes({7, 7})}),
    [](const testing::TestParamInfo<BlockCase>& param) { return param.param.name; });

// Only the first `count` values take part, and a block without values still
// gets defined end points.
TEST(FitAlphaBlockTest, OnlyTheFirstCountValuesTakePart) {
  AlphaBlockFit fit;
  fit.count = 3;
  fit.alpha[0] = fit.alpha[1] = fit.alpha[2] = 0.5f;  // the rest stay 0.0
  fit.code[3] = 42;
  FitAlphaBlock(fit);
  EXPECT_EQ(fit.levels, 8);
  EXPECT_EQ(fit.end0, 128);
  EXPECT_EQ(fit.end1, 128);
  EXPECT_EQ(fit.code[3], 42);
}

TEST(FitAlphaBlockTest, NoValuesGiveZeroEndPoints) {
  AlphaBlockFit fit;
  fit.count = 0;
  fit.levels = 6;
  fit.end0 = 77;
  fit.end1 = 99;
  FitAlphaBlock(fit);
  EXPECT_EQ(fit.levels, 8);
  EXPECT_EQ(fit.end0, 0);
  EXPECT_EQ(fit.end1, 0);
}

}  // namespace
}  // namespace quarn
