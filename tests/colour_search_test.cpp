// The colour end-point search: axes, orders, the two cluster fits on
// hand-checked cases, the order ring, and the decisions of the fitter before
// the refinement (uniform test, two-colour shortcut, start kinds, box test).
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "codec/encode/colour_search.h"
#include "codec/encode/order_ring.h"

namespace quarn {
namespace {

// Distinct colours (weighted scale) with their fractions; `centred` is filled
// from the fractions and the mean as FitColourBlock does, so the fits see a
// consistent block.
BlockColours MakeColours(const std::vector<std::vector<double>>& colour, const std::vector<double>& fraction,
                         const double weight[3]) {
  BlockColours c;
  c.distinct.count = static_cast<int32_t>(colour.size());
  double mean[3] = {0.0, 0.0, 0.0};
  for (size_t j = 0; j < colour.size(); ++j) {
    for (int ch = 0; ch < 3; ++ch) {
      c.distinct.colour[j][ch] = colour[j][ch];
      mean[ch] += fraction[j] * colour[j][ch];
    }
    c.distinct.fraction[j] = fraction[j];
  }
  for (size_t j = 0; j < colour.size(); ++j) {
    for (int ch = 0; ch < 3; ++ch) c.centred[j][ch] = fraction[j] * (colour[j][ch] - mean[ch]);
  }
  for (int ch = 0; ch < 3; ++ch) {
    c.weight[ch] = weight[ch];
    c.lower[ch] = -mean[ch];
    c.upper[ch] = weight[ch] - mean[ch];
  }
  return c;
}

ColourOrder MakeOrder(const std::vector<int32_t>& items) {
  ColourOrder order;
  order.count = static_cast<int32_t>(items.size());
  for (size_t i = 0; i < items.size(); ++i) order.item[i] = items[i];
  return order;
}

std::vector<int32_t> Items(const ColourOrder& order) { return {order.item, order.item + order.count}; }

const double kUnitWeights[3] = {1.0, 1.0, 1.0};

// Four greys 0, 1/4, 1/2, 3/4 in equal parts: every sum of the fits is a
// dyadic fraction, so the incremental and the fresh sums are exact and the
// expected values below follow by hand.
//   Levels 0,1,2,3: W = 1.5, V = 3.5 - 2.25 = 1.25, S = 0.3125 per channel.
//   Levels 0,1,1,2: W = 1, V = 1.5 - 1 = 0.5, S = 0.1875 per channel.
BlockColours FourGreys() {
  return MakeColours({{0, 0, 0}, {0.25, 0.25, 0.25}, {0.5, 0.5, 0.5}, {0.75, 0.75, 0.75}}, {0.25, 0.25, 0.25, 0.25},
                     kUnitWeights);
}

TEST(ClusterFitTest, FourEvenlySpacedGreysFitFourLevelsExactly) {
  const ClusterFitResult fit = ClusterFit(FourGreys(), MakeOrder({0, 1, 2, 3}), 3);
  EXPECT_EQ(fit.kind, 3);
  EXPECT_EQ(fit.error, -3 * 0.3125 * 0.3125 / 1.25);
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(fit.end[0][ch], -1.5 * 0.3125 / 1.25);  // -0.375: the first grey, centred
    EXPECT_EQ(fit.end[1][ch], 1.5 * 0.3125 / 1.25);   // 0.375: the last grey
    EXPECT_EQ(fit.axis[ch], 0.3125);
  }
}

TEST(ClusterFitTest, HighestLevelTwoNeverUsesLevelThree) {
  // The best three-level split of the four greys is 0,1,1,2 (it explains
  // 0.2109375 against 0.2088 for 0,0,1,2 and 0,1,2,2).
  const ClusterFitResult fit = ClusterFit(FourGreys(), MakeOrder({0, 1, 2, 3}), 2);
  EXPECT_EQ(fit.kind, 2);
  EXPECT_EQ(fit.error, -3 * 0.1875 * 0.1875 / 0.5);
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(fit.end[0][ch], -0.375);
    EXPECT_EQ(fit.end[1][ch], 0.375);
    EXPECT_EQ(fit.axis[ch], 0.1875);
  }
}

TEST(ClusterFitTest, ReversedOrderFitsTheSameLineFromTheOtherEnd) {
  const ClusterFitResult fit = ClusterFit(FourGreys(), MakeOrder({3, 2, 1, 0}), 3);
  EXPECT_EQ(fit.kind, 3);
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(fit.end[0][ch], 0.375);
    EXPECT_EQ(fit.end[1][ch], -0.375);
  }
}

// Black and white in equal parts, weights 1/2 (weighted white is 1/2, the
// mean 1/4, y of white 0.5 * 0.25 = 0.125): the splits at levels
// 0-1, 0-2 and 0-3 score exactly the same, so the last visited (0-3) wins;
// it is a lone upper group at level 3 and moves to level 2. Recomputed:
// W = 1, V = 2 - 1 = 1, S = 2 * 0.125 = 0.25, highest level 2, so the ends
// are -0.25 and (2 - 1) * 0.25 = 0.25: the two colours, centred, which are
// also exactly the box bounds -0.25 and 0.5 - 0.25.
const double kHalfWeights[3] = {0.5, 0.5, 0.5};
BlockColours BlackAndWhite() {
  return MakeColours({{0, 0, 0}, {0.5, 0.5, 0.5}}, {0.5, 0.5}, kHalfWeights);
}

TEST(ClusterFitTest, LoneLevelThreeMovesToLevelTwoAndIsAKindOneFit) {
  const BlockColours colours = BlackAndWhite();
  const ClusterFitResult fit = ClusterFit(colours, MakeOrder({0, 1}), 3);
  EXPECT_EQ(fit.kind, 1);
  EXPECT_EQ(fit.error, -3 * 0.25 * 0.25 / 1.0);
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(fit.end[0][ch], -0.25);
    EXPECT_EQ(fit.end[1][ch], 0.25);  // n = 2 after the move (n = 3 would give 0.5)
    EXPECT_EQ(fit.axis[ch], 0.25);
  }
}

TEST(ClusterFitTest, TwoGroupsAtLevelsZeroAndTwoAreKindOne) {
  const ClusterFitResult fit = ClusterFit(BlackAndWhite(), MakeOrder({0, 1}), 2);
  EXPECT_EQ(fit.kind, 1);
  EXPECT_EQ(fit.end[0][0], -0.25);
  EXPECT_EQ(fit.end[1][0], 0.25);
}

TEST(BoundedClusterFitTest, MatchesTheFreeFitWhenItStaysInsideTheBox) {
  const BlockColours colours = FourGreys();
  for (int32_t maxLevel : {2, 3}) {
    const ClusterFitResult free = ClusterFit(colours, MakeOrder({0, 1, 2, 3}), maxLevel);
    const ClusterFitResult bounded = BoundedClusterFit(colours, MakeOrder({0, 1, 2, 3}), maxLevel);
    EXPECT_EQ(bounded.kind, free.kind);
    for (int e = 0; e < 2; ++e) {
      for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(bounded.end[e][ch], free.end[e][ch], 1e-12);
    }
  }
}

TEST(BoundedClusterFitTest, KeepsTheEndPointsInsideTheBox) {
  // Greys 0 (half the block), 0.9 and 1.0: a free line through the three
  // levels overshoots white; the bounded fit must not.
  const BlockColours colours =
      MakeColours({{0, 0, 0}, {0.9, 0.9, 0.9}, {1.0, 1.0, 1.0}}, {0.5, 0.25, 0.25}, kUnitWeights);
  const ClusterFitResult free = ClusterFit(colours, MakeOrder({0, 1, 2}), 3);
  bool freeOutside = false;
  for (int e = 0; e < 2; ++e) freeOutside = freeOutside || free.end[e][0] > colours.upper[0] || free.end[e][0] < colours.lower[0];
  ASSERT_TRUE(freeOutside);
  const ClusterFitResult bounded = BoundedClusterFit(colours, MakeOrder({0, 1, 2}), 3);
  for (int e = 0; e < 2; ++e) {
    for (int ch = 0; ch < 3; ++ch) {
      EXPECT_GE(bounded.end[e][ch], colours.lower[ch] - 1e-12);
      EXPECT_LE(bounded.end[e][ch], colours.upper[ch] + 1e-12);
    }
  }
}

TEST(PrincipalAxisTest, FindsTheDirectionOfTheSpread) {
  // Points along (1, 2, 2) / 3 with a little noise across it.
  const double dir[3] = {1.0 / 3, 2.0 / 3, 2.0 / 3};
  const double across[3] = {2.0 / 3, 1.0 / 3, -2.0 / 3};
  double centred[8][3];
  const double along[8] = {-0.3, -0.2, -0.1, 0.0, 0.05, 0.1, 0.2, 0.25};
  const double off[8] = {0.01, -0.01, 0.0, 0.01, -0.01, 0.0, 0.01, -0.01};
  for (int i = 0; i < 8; ++i) {
    for (int ch = 0; ch < 3; ++ch) centred[i][ch] = along[i] * dir[ch] + off[i] * across[ch];
  }
  double axis[3];
  PrincipalAxis(centred, 8, axis);
  EXPECT_NEAR(std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]), 1.0, 1e-12);
  // The component of the largest diagonal entry comes out positive, so the
  // axis points along +dir, not -dir.
  const double dot = axis[0] * dir[0] + axis[1] * dir[1] + axis[2] * dir[2];
  EXPECT_GT(dot, 0.999);
}

TEST(PrincipalAxisTest, OneChannelSpread) {
  // Blue varies a little, uncorrelated with red.
  double centred[4][3] = {{-0.2, 0, 0.01}, {-0.1, 0, -0.01}, {0.1, 0, -0.01}, {0.2, 0, 0.01}};
  double axis[3];
  PrincipalAxis(centred, 4, axis);
  EXPECT_NEAR(axis[0], 1.0, 1e-9);
  EXPECT_EQ(axis[1], 0.0);
  EXPECT_NEAR(axis[2], 0.0, 1e-9);
}

TEST(FarthestPairAxisTest, KeepsTheFirstOfEqualDistancesAndPointsFromSecondToFirst) {
  // Corners of a unit square: the diagonals (0, 2) and (1, 3) are equally
  // long; (0, 2) is visited first.
  const BlockColours c = MakeColours({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {0.25, 0.25, 0.25, 0.25}, kUnitWeights);
  double axis[3];
  FarthestPairAxis(c.distinct, axis);
  EXPECT_DOUBLE_EQ(axis[0], -1.0 / std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(axis[1], -1.0 / std::sqrt(2.0));
  EXPECT_EQ(axis[2], 0.0);
}

TEST(OrderByProjectionTest, TieVariants) {
  const BlockColours c =
      MakeColours({{0.1, 0, 0}, {0.2, 0, 0}, {0.1, 0.5, 0}, {0.0, 0, 0}, {0.1, 0, 0.3}}, {0.2, 0.2, 0.2, 0.2, 0.2},
                  kUnitWeights);
  const double red[3] = {1, 0, 0};
  const double minusRed[3] = {-1, 0, 0};
  struct Case {
    const double* axis;
    int32_t variant;
    std::vector<int32_t> expected;
  } cases[] = {
      {red, 0, {3, 0, 2, 4, 1}},
      {red, 1, {3, 4, 2, 0, 1}},
      {minusRed, 0, {1, 0, 2, 4, 3}},
      {minusRed, 1, {1, 4, 2, 0, 3}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(Items(OrderByProjection(test.axis, c.distinct, test.variant)), test.expected)
        << "variant " << test.variant << " axis red " << test.axis[0];
  }
}

TEST(SameOrderTest, EqualOrReversed) {
  struct Case {
    std::vector<int32_t> a, b;
    bool same;
  } cases[] = {
      {{0, 1, 2, 3}, {0, 1, 2, 3}, true},   {{0, 1, 2, 3}, {3, 2, 1, 0}, true},
      {{0, 1, 2, 3}, {0, 2, 1, 3}, false},  {{0, 1, 2, 3}, {3, 2, 0, 1}, false},
      {{1, 0, 2}, {2, 0, 1}, true},         {{1, 0, 2}, {0, 1, 2}, false},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(SameOrder(MakeOrder(test.a), MakeOrder(test.b)), test.same);
    EXPECT_EQ(SameOrder(MakeOrder(test.b), MakeOrder(test.a)), test.same);
  }
}

class OrderRingTest : public ::testing::Test {
 protected:
  // Colours 0 and 2 project equally on red, so red orders them by the tie
  // variant: 1, 0, 2, 3 (variant 0) or 1, 2, 0, 3 (variant 1).
  BlockColours colours_ = MakeColours({{0.5, 0, 0}, {0.1, 0.2, 0}, {0.5, 0.4, 0}, {0.9, 0.1, 0}},
                                      {0.25, 0.25, 0.25, 0.25}, kUnitWeights);
  const double red_[3] = {1, 0, 0};
  const double reddish_[3] = {1, 0.1, 0};  // no ties: 1, 0, 2, 3
  const double minusReddish_[3] = {-1, -0.1, 0};
  const double green_[3] = {0, 1, 0};
  OrderRing ring_;
};

TEST_F(OrderRingTest, ReversedOrderRepeats) {
  ring_.Restart(OrderByProjection(green_, colours_.distinct, 0));
  EXPECT_FALSE(ring_.Advance(reddish_, colours_.distinct, 5));
  EXPECT_TRUE(ring_.Advance(minusReddish_, colours_.distinct, 5));
  EXPECT_EQ(Items(ring_.Current()), (std::vector<int32_t>{3, 2, 0, 1}));
}

TEST_F(OrderRingTest, RepeatRetriesTheOtherTieVariantWhileBudgetLasts) {
  for (int32_t budget : {1, 0}) {
    ring_.Restart(OrderByProjection(red_, colours_.distinct, 0));
    const bool repeats = ring_.Advance(red_, colours_.distinct, budget);
    EXPECT_EQ(repeats, budget == 0);
    EXPECT_EQ(Items(ring_.Current()), (budget == 0 ? std::vector<int32_t>{1, 0, 2, 3} : std::vector<int32_t>{1, 2, 0, 3}));
  }
}

TEST_F(OrderRingTest, BothVariantsRepeating) {
  ring_.Restart(OrderByProjection(red_, colours_.distinct, 0));
  EXPECT_FALSE(ring_.Advance(red_, colours_.distinct, 3));  // variant 1 is new
  EXPECT_TRUE(ring_.Advance(red_, colours_.distinct, 3));   // both are in the ring now
  EXPECT_EQ(Items(ring_.Current()), (std::vector<int32_t>{1, 2, 0, 3}));
}

TEST(OrderRingWrapTest, ComparesWithTheSixteenMostRecentOrdersOnly) {
  // Nine colours in general position in the red-green plane; turning the
  // axis through a half turn passes through many different orders.
  const std::vector<std::vector<double>> points = {{0.11, 0.83, 0}, {0.52, 0.07, 0}, {0.93, 0.61, 0},
                                                   {0.34, 0.29, 0}, {0.75, 0.97, 0}, {0.16, 0.48, 0},
                                                   {0.67, 0.35, 0}, {0.28, 0.12, 0}, {0.89, 0.24, 0}};
  const BlockColours c = MakeColours(points, std::vector<double>(9, 1.0 / 9), kUnitWeights);
  std::vector<std::vector<double>> axes;  // one axis per new order
  std::vector<ColourOrder> seen;
  for (int step = 0; step < 3600 && axes.size() < 17; ++step) {
    const double angle = step * (3.14159265358979 / 3600);
    const double axis[3] = {std::cos(angle), std::sin(angle), 0};
    const ColourOrder order = OrderByProjection(axis, c.distinct, 0);
    bool fresh = true;
    for (const ColourOrder& old : seen) fresh = fresh && !SameOrder(old, order);
    if (fresh) {
      seen.push_back(order);
      axes.push_back({axis[0], axis[1], axis[2]});
    }
  }
  ASSERT_EQ(axes.size(), 17u);

  OrderRing ring;
  ring.Restart(seen[0]);
  for (int i = 1; i <= 16; ++i) EXPECT_FALSE(ring.Advance(axes[i].data(), c.distinct, 4)) << i;
  EXPECT_TRUE(ring.Wrapped());
  EXPECT_EQ(ring.Position(), 0);
  // Order 0 was in slot 0, now overwritten by order 16: not a repeat.
  EXPECT_FALSE(ring.Advance(axes[0].data(), c.distinct, 4));
  // Order 5 is still in slot 5, after the current slot: a repeat.
  EXPECT_TRUE(ring.Advance(axes[5].data(), c.distinct, 4));
}

TEST(ChooseCandidateTest, TiesGoToCandidateOneWhenItHasFitted) {
  struct Case {
    bool fitted1;
    double error0, error1;
    int32_t chosen;
  } cases[] = {
      {true, -0.5, -0.5, 1}, {true, -0.5, -0.6, 1}, {true, -0.5, -0.4, 0}, {false, -0.5, -0.6, 0},
  };
  for (const Case& test : cases) {
    ClusterFitResult candidate[2];
    candidate[0].error = test.error0;
    candidate[1].error = test.error1;
    const bool fitted[2] = {true, test.fitted1};
    EXPECT_EQ(ChooseCandidate(candidate, fitted), test.chosen) << test.error0 << " " << test.error1;
  }
}

// A block record with `count` texels.
ColourBlockFit MakeBlock(const std::vector<std::vector<double>>& texels, int32_t colours = 4, bool alphaBlock = false,
                         const double weight[3] = nullptr) {
  ColourBlockFit fit;
  fit.count = static_cast<int32_t>(texels.size());
  for (size_t i = 0; i < texels.size(); ++i) {
    for (int ch = 0; ch < 3; ++ch) fit.texel[i][ch] = texels[i][ch];
  }
  for (int ch = 0; ch < 3; ++ch) fit.weight[ch] = weight ? weight[ch] : static_cast<double>(kColourWeights[ch]);
  fit.colours = colours;
  fit.alphaBlock = alphaBlock;
  return fit;
}

TEST(PlanColourFitTest, UniformBelowTwoToTheMinusElevenInEveryChannelWhateverTheWeights) {
  const double tol = 0.00048828125;
  const double below = tol - 0x1p-30;  // still exact when added to 0.25
  const double heavy[3] = {1000.0, 1000.0, 1000.0};
  const double light[3] = {0.001, 0.001, 0.001};
  struct Case {
    int ch;
    double diff;
    const double* weight;
    bool uniform;
  } cases[] = {
      {0, below, heavy, true}, {1, below, heavy, true}, {2, -below, heavy, true},
      {0, tol, light, false},  {1, -tol, light, false}, {2, tol, light, false},
  };
  for (const Case& test : cases) {
    std::vector<std::vector<double>> texels(16, {0.25, 0.25, 0.25});
    texels[9][test.ch] += test.diff;
    ColourBlockFit fit = MakeBlock(texels, 4, false, test.weight);
    BlockColours colours;
    int32_t map[16];
    EXPECT_EQ(PlanColourFit(fit, colours, map).uniform, test.uniform) << "channel " << test.ch << " diff " << test.diff;
  }
}

TEST(PlanColourFitTest, ColoursDifferingOnlyInAZeroWeightChannelAreUniform) {
  // A negative weight counts as 0, so red differences vanish on the weighted
  // scale: one distinct colour, nothing to search along.
  const double weight[3] = {-0.5, 0.6, 0.1};
  ColourBlockFit fit = MakeBlock({{0.0, 0.4, 0.4}, {1.0, 0.4, 0.4}, {0.5, 0.4, 0.4}}, 4, false, weight);
  BlockColours colours;
  int32_t map[16];
  EXPECT_TRUE(PlanColourFit(fit, colours, map).uniform);
}

TEST(PlanColourFitTest, TwoColoursStartFromTheColoursFirstSeenFirst) {
  // The brighter colour comes first in the block.
  ColourBlockFit fit = MakeBlock({{0.8, 0.6, 0.2}, {0.1, 0.2, 0.3}, {0.1, 0.2, 0.3}, {0.8, 0.6, 0.2}}, 3);
  BlockColours colours;
  int32_t map[16];
  const ColourFitPlan plan = PlanColourFit(fit, colours, map);
  EXPECT_FALSE(plan.uniform);
  EXPECT_EQ(plan.startKind, StartTwoColours);
  EXPECT_EQ(fit.colours, 3);
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(plan.start[0][ch], fit.texel[0][ch] * fit.weight[ch]);
    EXPECT_EQ(plan.start[1][ch], fit.texel[1][ch] * fit.weight[ch]);
  }
  EXPECT_EQ(std::vector<int32_t>(map, map + 4), (std::vector<int32_t>{0, 1, 1, 0}));
  EXPECT_EQ(colours.distinct.count, 2);
  EXPECT_EQ(colours.distinct.fraction[0], 0.5);
}

TEST(PlanColourFitTest, WithAnAlphaBlockTwoColoursGoThroughTheSearchAsFourColours) {
  ColourBlockFit fit = MakeBlock({{0.8, 0.6, 0.2}, {0.1, 0.2, 0.3}, {0.1, 0.2, 0.3}, {0.8, 0.6, 0.2}}, 3, true);
  BlockColours colours;
  int32_t map[16];
  const ColourFitPlan plan = PlanColourFit(fit, colours, map);
  EXPECT_EQ(fit.colours, 4);
  EXPECT_EQ(plan.startKind, StartFourLevels);
  // A two-group fit puts its ends on the two colours (in the order of the
  // axis, which need not be the order of appearance).
  const int first = plan.start[0][0] < plan.start[1][0] ? 1 : 0;
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_NEAR(plan.start[first][ch], fit.texel[0][ch] * fit.weight[ch], 1e-15);
    EXPECT_NEAR(plan.start[1 - first][ch], fit.texel[1][ch] * fit.weight[ch], 1e-15);
  }
}

// A smooth grey ramp of 16 texels: its best fit uses four levels when it may.
std::vector<std::vector<double>> GreyRamp() {
  std::vector<std::vector<double>> texels;
  for (int i = 0; i < 16; ++i) texels.push_back({i / 20.0, i / 20.0, i / 20.0});
  return texels;
}

TEST(PlanColourFitTest, StartKindFollowsTheLevelsTheBlockMayUse) {
  struct Case {
    int32_t colours;
    bool alphaBlock;
    int32_t startKind;
  } cases[] = {{4, false, StartFourLevels}, {3, false, StartThreeLevels}, {3, true, StartFourLevels}};
  for (const Case& test : cases) {
    ColourBlockFit fit = MakeBlock(GreyRamp(), test.colours, test.alphaBlock);
    BlockColours colours;
    int32_t map[16];
    EXPECT_EQ(PlanColourFit(fit, colours, map).startKind, test.startKind) << test.colours << " " << test.alphaBlock;
  }
}

// The search on a block given as weighted texels, merged into distinct
// colours as the fitter does.
struct SearchCase {
  BlockColours colours;
  SearchOutcome outcome;
};
SearchCase SearchTexels(const std::vector<std::vector<double>>& weighted, int32_t colourCount, const double weight[3]) {
  std::vector<std::vector<double>> distinct;
  std::vector<double> fraction;
  for (const auto& texel : weighted) {
    size_t j = 0;
    while (j < distinct.size() && distinct[j] != texel) ++j;
    if (j == distinct.size()) {
      distinct.push_back(texel);
      fraction.push_back(0.0);
    }
    fraction[j] += 1.0 / weighted.size();
  }
  SearchCase result;
  result.colours = MakeColours(distinct, fraction, weight);
  double centred[16][3];
  for (size_t i = 0; i < weighted.size(); ++i) {
    for (int ch = 0; ch < 3; ++ch) centred[i][ch] = weighted[i][ch] + result.colours.lower[ch];
  }
  result.outcome = SearchEndpoints(result.colours, centred, static_cast<int32_t>(weighted.size()), colourCount);
  return result;
}

TEST(SearchEndpointsTest, EndPointsExactlyOnTheBoxDoNotStartTheBoundedPhase) {
  // Black and white with weights 1/2 (see BlackAndWhite): the free fit
  // ends exactly at the box bounds.
  const std::vector<std::vector<double>> texels = {{0, 0, 0}, {0.5, 0.5, 0.5}, {0, 0, 0}, {0.5, 0.5, 0.5}};
  const SearchOutcome outcome = SearchTexels(texels, 4, kHalfWeights).outcome;
  EXPECT_EQ(outcome.boundedFits, 0);
  EXPECT_EQ(outcome.fit.end[0][0], -0.25);
  EXPECT_EQ(outcome.fit.end[1][0], 0.25);
}

TEST(SearchEndpointsTest, EndPointsOutsideTheBoxAreRefittedInside) {
  const std::vector<std::vector<double>> texels = {{0, 0, 0}, {0, 0, 0}, {0.9, 0.9, 0.9}, {1, 1, 1}};
  const SearchCase search = SearchTexels(texels, 4, kUnitWeights);
  EXPECT_GE(search.outcome.boundedFits, 1);
  EXPECT_LE(search.outcome.boundedFits, 9);
  for (int e = 0; e < 2; ++e) {
    for (int ch = 0; ch < 3; ++ch) {
      EXPECT_GE(search.outcome.fit.end[e][ch], search.colours.lower[ch] - 1e-12);
      EXPECT_LE(search.outcome.fit.end[e][ch], search.colours.upper[ch] + 1e-12);
    }
  }
}

TEST(SearchEndpointsTest, CollinearColoursLeaveCandidateOneWithoutAFit) {
  // On one line the farthest pair orders the colours as the principal axis
  // did (or reversed), so candidate 1's first order already repeats.
  const SearchOutcome outcome = SearchTexels(GreyRamp(), 4, kUnitWeights).outcome;
  EXPECT_EQ(outcome.fits[0], 1);
  EXPECT_EQ(outcome.fits[1], 0);
  EXPECT_EQ(outcome.chosen, 0);
  EXPECT_EQ(outcome.fit.kind, 3);
}

TEST(SearchEndpointsTest, FarthestPairCandidateFitsWhenItsOrderIsNew) {
  // A tight cloud spread along red, with one pair far apart along green:
  // the principal axis and the farthest pair order the colours differently.
  const std::vector<std::vector<double>> texels = {
      {0.40, 0.50, 0.5}, {0.45, 0.50, 0.5}, {0.50, 0.50, 0.5}, {0.55, 0.50, 0.5}, {0.60, 0.50, 0.5},
      {0.42, 0.51, 0.5}, {0.47, 0.49, 0.5}, {0.52, 0.51, 0.5}, {0.57, 0.49, 0.5}, {0.50, 0.30, 0.5},
      {0.50, 0.72, 0.5}};
  const SearchOutcome outcome = SearchTexels(texels, 4, kUnitWeights).outcome;
  EXPECT_GE(outcome.fits[0], 1);
  EXPECT_GE(outcome.fits[1], 1);
  EXPECT_LE(outcome.fits[0], 17);
  EXPECT_LE(outcome.fits[1], 16);
}

}  // namespace
}  // namespace quarn
