// The vector quantizer on the colour fitter's 4 x 4 RGB images and on a few
// larger images. Every expected code vector below is worked out by hand in
// the comment beside it.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "codec/vq/vector_quantizer.h"

namespace quarn {
namespace {

using Rgb = std::array<int32_t, 3>;

// Quantizes sixteen texels as the colour fitter does: a 4 x 4 RGB image,
// one texel per vector, `target` code vectors.
std::vector<Rgb> QuantizeBlock(VectorQuantizer& quantizer, const std::vector<Rgb>& texels, int32_t target,
                               int32_t& returned) {
  EXPECT_EQ(texels.size(), 16u);
  uint8_t image[48] = {};
  for (size_t i = 0; i < texels.size() && i < 16; ++i) {
    for (int c = 0; c < 3; ++c) image[3 * i + c] = static_cast<uint8_t>(texels[i][c]);
  }
  returned = quantizer.Quantize(4, 4, image, 12, 1, 1, 3, target);
  std::vector<Rgb> codes;
  for (int32_t s = 0; s < quantizer.codeCount(); ++s) {
    const int32_t* v = quantizer.CodeVector(s);
    codes.push_back({v[0], v[1], v[2]});
  }
  return codes;
}

// Sixteen texels: `distinct` in order, then the last texel of `repeats`
// filling up (or the listed repeats, cycled).
std::vector<Rgb> Texels(std::vector<Rgb> distinct, const std::vector<Rgb>& repeats) {
  for (size_t i = 0; distinct.size() < 16; ++i) distinct.push_back(repeats[i % repeats.size()]);
  return distinct;
}

struct BlockCase {
  std::string name;
  std::vector<Rgb> texels;
  int32_t target;
  std::vector<Rgb> expected;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class VectorQuantizerBlockTest : public testing::TestWithParam<BlockCase> {};

TEST_P(VectorQuantizerBlockTest, CodeVectorsInCollectionOrder) {
  const BlockCase& c = GetParam();
  VectorQuantizer quantizer;
  int32_t returned = -1;
  const std::vector<Rgb> codes = QuantizeBlock(quantizer, c.texels, c.target, returned);
  EXPECT_EQ(returned, static_cast<int32_t>(c.expected.size()));
  EXPECT_EQ(codes, c.expected);
}

const Rgb c0{0, 1, 0}, c1{7, 10, 0}, c2{1, 5, 9}, c3{2, 6, 1}, c4{3, 2, 2}, c5{4, 9, 3}, c6{5, 3, 4}, c7{6, 8, 5},
    c8{0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Cases, VectorQuantizerBlockTest,
    testing::Values(
        // Two colours need no reduction: they come back in the order in which
        // they first appear.
        BlockCase{"TwoColoursInOrderOfFirstAppearance",
                  Texels({{0, 0, 50}, {200, 0, 0}}, {{200, 0, 0}, {0, 0, 50}}),
                  2,
                  {{0, 0, 50}, {200, 0, 0}}},
        // P x8, Q x4, R x4 in one bucket. Costs: PQ = 8*4*(100+25+49)/12 =
        // 5568/12 = 464; PR and QR are far larger. The merged entry is the
        // truncated weighted mean (40/12, 20/12, 28/12) = (3, 1, 2).
        BlockCase{"ThreeColoursMergeCheapestPairWithTruncatedMeans",
                  Texels({{0, 0, 0}, {10, 5, 7}, {100, 100, 100}},
                         {{0, 0, 0}, {10, 5, 7}, {100, 100, 100}, {0, 0, 0}}),
                  2,
                  {{3, 1, 2}, {100, 100, 100}}},
        // P x4 (0), Q x8 (10), R x4 (20) on red. PQ = 8*4*100/12 = 266 and
        // QR = 4*8*100/12 = 266 tie; PR = 4*4*400/8 = 800. The first pair in
        // search order wins the tie: (10*8 + 0*4)/12 = 6. (Taking QR would
        // give 0 and (20*4 + 10*8)/12 = 13.)
        BlockCase{"EqualPairCostsKeepTheFirstPair",
                  Texels({{0, 0, 0}, {10, 0, 0}, {20, 0, 0}},
                         {{10, 0, 0}, {0, 0, 0}, {10, 0, 0}, {20, 0, 0}}),
                  2,
                  {{6, 0, 0}, {20, 0, 0}}},
        // Four colours x4 each: pass 1 merges A(0) and B(2), cost 4*4*4/8 = 8
        // (CD costs 4*4*9/8 = 18), giving (0*4 + 2*4)/8 = 1 with count 8.
        // Pass 2: AB-C = 32*99*99/12 = 26136, AB-D = 27744, CD = 18: C and D
        // merge to (103*4 + 100*4)/8 = 812/8 = 101.
        BlockCase{"FourColoursMergeOnePairPerPass",
                  Texels({{0, 0, 0}, {2, 0, 0}, {100, 0, 0}, {103, 0, 0}},
                         {{0, 0, 0}, {2, 0, 0}, {100, 0, 0}, {103, 0, 0}}),
                  2,
                  {{1, 0, 0}, {101, 0, 0}}},
        // Nine colours split the root. Ranges: red 7, green 9, blue 9; green
        // wins the tie as the lower component; split at (10 + 1)/2 = 5, and
        // green 5 stays left, green 6 goes right. c8 (green 0) joins the left
        // bucket last. Collected left bucket first, each in insertion order.
        BlockCase{"NinthColourSplitsOnWidestLowestAxisAtTruncatedMidpoint",
                  Texels({c0, c1, c2, c3, c4, c5, c6, c7, c8}, {c1}),
                  16,
                  {c0, c2, c4, c6, c8, c1, c3, c5, c7}},
        // A full root bucket that meets a colour it already holds only counts
        // it: no split, so the insertion order survives.
        BlockCase{"RepeatIntoFullBucketOnlyCounts",
                  Texels({c0, c1, c2, c3, c4, c5, c6, c7}, {c3, c7}),
                  16,
                  {c0, c1, c2, c3, c4, c5, c6, c7}},
        // Reds 0, 100..106 fill the root; 107 splits it at (106 + 0)/2 = 53:
        // left [0], right [100..106, 107]. 200 splits the right bucket (fresh
        // bounds 100..107) at 103: [100..103] and [104..107, 200]. Six more
        // 0s only count. Target 9, ten entries: the pass first dissolves the
        // lone [0] bucket into the right subtree (0 <= 103: appended to
        // [100..103]), which replaces the root. Candidates in depth-first
        // order: [100,101,102,103,0] and [104,...,200], both cheapest at cost
        // 1*1*1/2 = 0 on their first pair; the stable order merges the left
        // one: (101 + 100)/2 = 100.
        BlockCase{"SmallBucketDissolvesIntoSiblingSubtree",
                  Texels({{0, 0, 0},
                          {100, 0, 0},
                          {101, 0, 0},
                          {102, 0, 0},
                          {103, 0, 0},
                          {104, 0, 0},
                          {105, 0, 0},
                          {106, 0, 0},
                          {107, 0, 0},
                          {200, 0, 0}},
                         {{0, 0, 0}}),
                  9,
                  {{100, 0, 0},
                   {102, 0, 0},
                   {103, 0, 0},
                   {0, 0, 0},
                   {104, 0, 0},
                   {105, 0, 0},
                   {106, 0, 0},
                   {107, 0, 0},
                   {200, 0, 0}}}),
    [](const testing::TestParamInfo<BlockCase>& param) { return param.param.name; });

// A split may leave one side empty: merges do not shrink a bucket's bounds,
// so a later split can cut outside the entries. Two-component vectors,
// counts in brackets, first appearances in this order:
//   B1 (100,40) B2 (100,0) B3 (80,20) B4 (60,40) [100 each]
//   X1 (55,60) [8] X2 (55,90) [8] X3 (100,60) X4 (100,90) [100 each]
//   H (60,0) [6] O (0,0) [1] B5 (80,40) B6 (100,20) [100 each]
// Build: the first eight have ranges 45 and 90, so H splits the root on
// component 1 at 45: B = [B1 B2 B3 B4 H O B5 B6], X = [X1 X2 X3 X4].
// Pass 1: B's cheapest pair is H,O at 6*1*3600/7 = 3085 (then H,B3 at 4528);
// X's is X1,X2 at 8*8*900/16 = 3600. One merge (m = 2/2): H becomes M =
// (360/7, 0) = (51, 0) [7], but B keeps its lower bound 0 on component 0.
// Pass 2: X1,X2 (3600) beats B's M,B3 (700*1241/107 = 8118): X12 =
// (55, 1200/16) = (55, 75) [16]; X is left with three entries.
// Pass 3: X dissolves into B. X12 makes B full (upper of component 1 now
// 75); X3 splits it on component 0 (range 100 against 75) at (100 + 0)/2 =
// 50, and every entry lies above 50: the left bucket stays empty. X3 then
// splits the right bucket on its fresh bounds, component 1 (75 against 49)
// at 37: [B2 B3 M B6] and [B1 B4 B5 X12 X3], X4 joins the latter.
// Candidates: the empty bucket is skipped; B3,M at 8118 and B4,X12 at
// 1600*1250/116 = 17241. One merge: B3,M = (8357/107, 2000/107) = (78, 18).
// Target 9 stops here. With target 8, pass 4 dissolves the empty bucket
// (the right subtree takes the root and is not examined), then B4,X12
// (17241) beats B2,B6 (20000): (6880/116, 5200/116) = (59, 44).
struct EmptyBucketCase {
  int32_t target;
  std::vector<std::array<int32_t, 2>> expected;
};

class VectorQuantizerEmptyBucketTest : public testing::TestWithParam<EmptyBucketCase> {};

TEST_P(VectorQuantizerEmptyBucketTest, SplitWithStaleBoundsLeavesAnEmptyBucket) {
  struct Colour {
    uint8_t a, b;
    int count;
  };
  const Colour colours[] = {{100, 40, 100}, {100, 0, 100}, {80, 20, 100}, {60, 40, 100}, {55, 60, 8},
                            {55, 90, 8},    {100, 60, 100}, {100, 90, 100}, {60, 0, 6},   {0, 0, 1},
                            {80, 40, 100},  {100, 20, 100}};
  std::vector<uint8_t> row;
  for (const Colour& colour : colours) row.insert(row.end(), {colour.a, colour.b});
  for (const Colour& colour : colours) {
    for (int i = 1; i < colour.count; ++i) row.insert(row.end(), {colour.a, colour.b});
  }
  const int32_t width = static_cast<int32_t>(row.size() / 2);
  ASSERT_EQ(width, 823);

  VectorQuantizer quantizer;
  const int32_t count = quantizer.Quantize(width, 1, row.data(), 2 * width, 1, 1, 2, GetParam().target);
  std::vector<std::array<int32_t, 2>> codes;
  for (int32_t s = 0; s < quantizer.codeCount(); ++s) codes.push_back({quantizer.CodeVector(s)[0], quantizer.CodeVector(s)[1]});
  EXPECT_EQ(count, static_cast<int32_t>(GetParam().expected.size()));
  EXPECT_EQ(codes, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, VectorQuantizerEmptyBucketTest,
    testing::Values(
        EmptyBucketCase{9, {{100, 0}, {78, 18}, {100, 20}, {100, 40}, {60, 40}, {80, 40}, {55, 75}, {100, 60}, {100, 90}}},
        EmptyBucketCase{8, {{100, 0}, {78, 18}, {100, 20}, {100, 40}, {59, 44}, {80, 40}, {100, 60}, {100, 90}}}));

TEST(VectorQuantizerTest, SixteenIdenticalColoursGiveOneCodeCopiedToSlotOne) {
  VectorQuantizer quantizer;
  int32_t returned = -1;
  const std::vector<Rgb> codes = QuantizeBlock(quantizer, std::vector<Rgb>(16, Rgb{10, 20, 30}), 2, returned);
  EXPECT_EQ(returned, 1);
  ASSERT_EQ(codes, (std::vector<Rgb>{{10, 20, 30}}));
  const int32_t* second = quantizer.CodeVector(1);
  EXPECT_EQ((Rgb{second[0], second[1], second[2]}), (Rgb{10, 20, 30}));
}

TEST(VectorQuantizerTest, ReusedQuantizerStartsEachCallAfresh) {
  VectorQuantizer quantizer;
  int32_t returned = -1;
  QuantizeBlock(quantizer, Texels({c0, c1, c2, c3, c4, c5, c6, c7, c8}, {c1}), 16, returned);
  ASSERT_EQ(returned, 9);
  const std::vector<Rgb> codes =
      QuantizeBlock(quantizer, Texels({{0, 0, 50}, {200, 0, 0}}, {{200, 0, 0}}), 2, returned);
  EXPECT_EQ(returned, 2);
  EXPECT_EQ(codes, (std::vector<Rgb>{{0, 0, 50}, {200, 0, 0}}));
}

// Vectors of several texels and rows: 2 x 2 blocks of one byte each from a
// 5 x 5 image (the fifth row and column are ignored), read row by row.
TEST(VectorQuantizerTest, BlockVectorsIgnoreIncompleteGroups) {
  // clang-format off
  const uint8_t image[5 * 6] = {
      1, 2, 3, 4, 99, 0,
      5, 6, 7, 8, 99, 0,
      1, 2, 9, 9, 99, 0,
      5, 6, 9, 9, 99, 0,
      77, 77, 77, 77, 77, 0,
  };
  // clang-format on
  VectorQuantizer quantizer;
  ASSERT_EQ(quantizer.Quantize(5, 5, image, 6, 2, 2, 1, 4), 3);
  const std::vector<std::array<int32_t, 4>> expected = {{1, 2, 5, 6}, {3, 4, 7, 8}, {9, 9, 9, 9}};
  for (int32_t s = 0; s < 3; ++s) {
    const int32_t* v = quantizer.CodeVector(s);
    EXPECT_EQ((std::array<int32_t, 4>{v[0], v[1], v[2], v[3]}), expected[s]) << "code vector " << s;
  }
}

TEST(VectorQuantizerTest, VectorsWiderThanFourComponentsAreRefused) {
  const uint8_t image[16 * 3] = {};
  VectorQuantizer quantizer;
  EXPECT_EQ(quantizer.Quantize(4, 4, image, 12, 2, 1, 3, 2), 0);
  EXPECT_EQ(quantizer.codeCount(), 0);
  EXPECT_EQ(quantizer.Quantize(4, 4, image, 12, 0, 1, 3, 2), 0);
}

// An image without a whole vector leaves no stale code vectors behind.
TEST(VectorQuantizerTest, EmptyImageGivesZeroCodeVectors) {
  const uint8_t image[48] = {9, 9, 9};
  VectorQuantizer quantizer;
  ASSERT_EQ(quantizer.Quantize(4, 4, image, 12, 1, 1, 3, 2), 2);  // (9,9,9) and (0,0,0)
  EXPECT_EQ(quantizer.Quantize(0, 4, image, 12, 1, 1, 3, 2), 0);
  for (int32_t s = 0; s < 2; ++s) {
    const int32_t* v = quantizer.CodeVector(s);
    EXPECT_EQ((std::array<int32_t, 4>{v[0], v[1], v[2], v[3]}), (std::array<int32_t, 4>{0, 0, 0, 0})) << s;
  }
}

// A large image grows the stores beyond their own room: every distinct
// value survives when the target allows it, in tree order, and a reduction
// to two leaves values from the image's range.
TEST(VectorQuantizerTest, LargeImagesGrowTheStores) {
  std::vector<uint8_t> image(256);
  for (int i = 0; i < 256; ++i) image[i] = static_cast<uint8_t>((i * 37) & 255);
  VectorQuantizer quantizer;
  ASSERT_EQ(quantizer.Quantize(256, 1, image.data(), 256, 1, 1, 1, 256), 256);
  std::vector<bool> seen(256, false);
  for (int32_t s = 0; s < 256; ++s) seen[quantizer.CodeVector(s)[0]] = true;
  for (int v = 0; v < 256; ++v) EXPECT_TRUE(seen[v]) << v;

  const int32_t count = quantizer.Quantize(256, 1, image.data(), 256, 1, 1, 1, 2);
  EXPECT_GE(count, 1);
  EXPECT_LE(count, 2);
}

}  // namespace
}  // namespace quarn
