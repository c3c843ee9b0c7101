// End-point quantisation and refinement: grid candidates, palettes, the
// choice and index tie rules, and the tries of the refinement.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "codec/encode/endpoint_refinement.h"
#include "codec/encode/grid_candidates.h"
#include "codec/encode/refinement_tries.h"

namespace quarn {
namespace {

// Weights of 255 put the weighted scale on the byte scale, so that colours
// and palette entries are exact integers and costs can be worked out by hand.
constexpr double kByteScale[3] = {255.0, 255.0, 255.0};

struct Colour {
  double r, g, b, fraction;
};

DistinctColours MakeColours(const std::vector<Colour>& list) {
  DistinctColours c;
  c.count = static_cast<int32_t>(list.size());
  for (int32_t i = 0; i < c.count; ++i) {
    c.colour[i][0] = list[i].r;
    c.colour[i][1] = list[i].g;
    c.colour[i][2] = list[i].b;
    c.fraction[i] = list[i].fraction;
  }
  return c;
}

struct CandidateCase {
  const char* what;
  double x;
  int32_t bits;
  int32_t low, high;
};

TEST(NeighbouringGridValues, CandidatesAroundValue) {
  const CandidateCase cases[] = {
      {"red 100: 96 stands for 99", 100.0, 5, 99, 107},
      {"red 97.5: 99 is above, step down", 97.5, 5, 90, 99},
      {"red on a code value", 99.0, 5, 99, 107},
      {"red 252: 255 is above, step down", 252.0, 5, 247, 255},
      {"green top: 256 is out of range", 255.0, 6, 255, 255},
      {"green 254", 254.0, 6, 251, 255},
      {"red below 0", -3.0, 5, 0, 8},
      {"green below 0", -0.5, 6, 0, 4},
      {"red zero", 0.0, 5, 0, 8},
      {"red above the top", 300.0, 5, 255, 255},
      {"green far above the top", 1e300, 6, 255, 255},
      {"not a number is held at the bottom", std::numeric_limits<double>::quiet_NaN(), 5, 0, 8},
  };
  for (const CandidateCase& c : cases) {
    const GridCandidates got = NeighbouringGridValues(c.x, c.bits);
    EXPECT_EQ(got.low, c.low) << c.what;
    EXPECT_EQ(got.high, c.high) << c.what;
  }
}

TEST(QuantiserPalette, EntriesInIndexOrder) {
  struct Case {
    int32_t colourCount, x0, x1;
    std::vector<int32_t> entries;
  };
  const Case cases[] = {
      {4, 99, 107, {99, 107, 102, 104}},
      {4, 107, 99, {107, 99, 104, 102}},
      {3, 99, 107, {99, 107, 103}},
      {4, 0, 255, {0, 255, 85, 170}},
      {3, 0, 255, {0, 255, 127}},
  };
  for (const Case& c : cases) {
    int32_t entry[4] = {-1, -1, -1, -1};
    const int32_t n = QuantiserPalette(c.colourCount, c.x0, c.x1, entry);
    EXPECT_EQ(std::vector<int32_t>(entry, entry + n), c.entries) << c.colourCount << " " << c.x0 << " " << c.x1;
  }
}

TEST(QuantiseEndpoints, EqualTotalsKeepTheFirstChoice) {
  // Red 103 lies between the candidates 99 and 107 of both end points; (99,
  // 107) and (107, 99) both put it on the midpoint at no cost, and the first
  // of them (first end low) must stay. Green and blue are 0 on every choice
  // whose first end is 0.
  const DistinctColours colours = MakeColours({{103, 0, 0, 1.0}});
  const double a[3] = {103, 0, 0};
  const QuantisedEndpoints q = QuantiseEndpoints(3, colours, kByteScale, a, a);
  EXPECT_EQ(q.mode, 3);
  EXPECT_EQ(q.end[0][0], 99 >> 3);
  EXPECT_EQ(q.end[1][0], 107 >> 3);
  EXPECT_EQ(q.end[0][1], 0);
  EXPECT_EQ(q.end[1][1], 0);
  EXPECT_EQ(q.end[0][2], 0);
  EXPECT_EQ(q.end[1][2], 0);
  EXPECT_EQ(q.index[0], 2);
  EXPECT_EQ(q.error, 0.0);
}

TEST(QuantiseEndpoints, EqualEntriesGiveTheLowestIndex) {
  // Equal end points on the grid make every palette entry the same colour.
  const DistinctColours colours = MakeColours({{99, 32, 8, 0.5}, {99, 32, 8, 0.5}});
  const double a[3] = {99, 32, 8};
  for (int32_t k : {3, 4}) {
    const QuantisedEndpoints q = QuantiseEndpoints(k, colours, kByteScale, a, a);
    EXPECT_EQ(q.mode, k);
    EXPECT_EQ(q.index[0], 0) << k;
    EXPECT_EQ(q.index[1], 0) << k;
    EXPECT_EQ(q.end[0][0], 12);
    EXPECT_EQ(q.end[0][1], 8);
    EXPECT_EQ(q.end[0][2], 1);
    EXPECT_EQ(q.error, 0.0);
  }
}

TEST(QuantiseEndpoints, ErrorIsTheSumOfTheNearestCosts) {
  // Palette 99, 107, 102, 104: red 100 is one off entry 0 (cost 0.25 x 1),
  // red 104 is entry 3 exactly.
  const DistinctColours colours = MakeColours({{100, 0, 0, 0.25}, {104, 0, 0, 0.75}});
  const double a[3] = {99, 0, 0};
  const double b[3] = {107, 0, 0};
  const QuantisedEndpoints q = QuantiseEndpoints(4, colours, kByteScale, a, b);
  EXPECT_EQ(q.end[0][0], 12);
  EXPECT_EQ(q.end[1][0], 13);
  EXPECT_EQ(q.index[0], 0);
  EXPECT_EQ(q.index[1], 3);
  EXPECT_EQ(q.error, 0.25);
}

TEST(QuantiseEndpoints, ColoursOnTheGridWithTheColourWeights) {
  // Bytes that 5:6:5 codes stand for, on the weighted scale of the fitter.
  const double w[3] = {0.309f, 0.609f, 0.082f};
  const int32_t bytesA[3] = {66, 130, 181};  // codes 8, 32, 22
  const int32_t bytesB[3] = {206, 16, 41};   // codes 25, 4, 5
  double a[3], b[3], third[3];
  for (int32_t ch = 0; ch < 3; ++ch) {
    a[ch] = bytesA[ch] / 255.0 * w[ch];
    b[ch] = bytesB[ch] / 255.0 * w[ch];
    third[ch] = ((2 * bytesA[ch] + bytesB[ch] + 1) / 3) / 255.0 * w[ch];
  }
  const DistinctColours colours = MakeColours(
      {{b[0], b[1], b[2], 0.25}, {third[0], third[1], third[2], 0.25}, {a[0], a[1], a[2], 0.5}});
  const QuantisedEndpoints q = QuantiseEndpoints(4, colours, w, a, b);
  const int32_t expected[2][3] = {{8, 32, 22}, {25, 4, 5}};
  for (int32_t e = 0; e < 2; ++e) {
    for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(q.end[e][ch], expected[e][ch]) << e << " " << ch;
  }
  EXPECT_EQ(q.index[0], 1);
  EXPECT_EQ(q.index[1], 2);
  EXPECT_EQ(q.index[2], 0);
  EXPECT_LT(q.error, 1e-20);
}

struct TryCountCase {
  int32_t startKind, colours;
  std::vector<int32_t> colourCounts;  // of the tries, in order
};

TEST(ListRefinementTries, NumberAndColourCountsPerStart) {
  const TryCountCase cases[] = {
      {StartTwoColours, 4, {3, 3, 3, 4, 4, 4, 4, 4, 4}},
      {StartThreeLevels, 4, {3, 4, 4}},
      {StartFourLevels, 4, {4}},
      {StartTwoColours, 3, {3, 3, 3}},
      {StartThreeLevels, 3, {3}},
      {StartFourLevels, 3, {3}},  // never a four-colour block when three are allowed
  };
  const double a[3] = {0.1, 0.2, 0.03};
  const double b[3] = {0.2, 0.5, 0.06};
  for (const TryCountCase& c : cases) {
    EndpointTry tries[kMaxRefinementTries];
    const int32_t n = ListRefinementTries(c.startKind, c.colours, a, b, tries);
    std::vector<int32_t> counts;
    for (int32_t t = 0; t < n; ++t) counts.push_back(tries[t].colourCount);
    EXPECT_EQ(counts, c.colourCounts) << "kind " << c.startKind << " colours " << c.colours;
  }
}

// Whether `c` is one of the continuous palette colours of a try.
bool PaletteHolds(const EndpointTry& t, const double c[3]) {
  for (int32_t k = 0; k < t.colourCount; ++k) {
    bool all = true;
    for (int32_t ch = 0; ch < 3; ++ch) {
      const double p0 = t.first[ch];
      const double p1 = t.second[ch];
      const double p[4] = {p0, p1, t.colourCount == 3 ? (p0 + p1) / 2 : (2 * p0 + p1) / 3, (p0 + 2 * p1) / 3};
      all = all && std::fabs(p[k] - c[ch]) < 1e-12;
    }
    if (all) return true;
  }
  return false;
}

TEST(ListRefinementTries, EveryTryKeepsBothStartColoursInItsPalette) {
  const double a[3] = {0.1, 0.2, 0.03};
  const double b[3] = {0.25, 0.45, 0.07};
  for (int32_t kind : {2, 3, 4}) {
    EndpointTry tries[kMaxRefinementTries];
    const int32_t n = ListRefinementTries(kind, 4, a, b, tries);
    for (int32_t t = 0; t < n; ++t) {
      EXPECT_TRUE(PaletteHolds(tries[t], a)) << "kind " << kind << " try " << t;
      EXPECT_TRUE(PaletteHolds(tries[t], b)) << "kind " << kind << " try " << t;
    }
  }
}

TEST(ListRefinementTries, FirstTryIsTheStartItself) {
  const double a[3] = {0.1, 0.2, 0.03};
  const double b[3] = {0.25, 0.45, 0.07};
  EndpointTry tries[kMaxRefinementTries];
  ListRefinementTries(StartTwoColours, 4, a, b, tries);
  for (int32_t ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(tries[0].first[ch], a[ch]);
    EXPECT_EQ(tries[0].second[ch], b[ch]);
  }
}

struct RefineCase {
  const char* what;
  int32_t startKind, colours;
  std::vector<Colour> block;
  double a[3], b[3];
  int32_t mode;
  int32_t end[2][3];
  double error;
};

TEST(RefineEndpoints, KeptTry) {
  const RefineCase cases[] = {
      // Both colours on the grid: the first (three-colour) try has no error,
      // and the later tries without error must not replace it.
      {"equal errors keep the first try", StartTwoColours, 4,
       {{99, 0, 0, 0.5}, {107, 0, 0, 0.5}}, {99, 0, 0}, {107, 0, 0}, 3, {{12, 0, 0}, {13, 0, 0}}, 0.0},
      // Four evenly spaced grid colours: only a four-colour try fits them.
      {"four colours win when allowed", StartTwoColours, 4,
       {{99, 0, 0, 0.25}, {102, 0, 0, 0.25}, {104, 0, 0, 0.25}, {107, 0, 0, 0.25}}, {99, 0, 0}, {107, 0, 0}, 4,
       {{12, 0, 0}, {13, 0, 0}}, 0.0},
      {"three colours when only three are allowed", StartTwoColours, 3,
       {{99, 0, 0, 0.25}, {102, 0, 0, 0.25}, {104, 0, 0, 0.25}, {107, 0, 0, 0.25}}, {99, 0, 0}, {107, 0, 0}, 3,
       {{12, 0, 0}, {13, 0, 0}}, 0.5},
      // 111 is no grid value, and no palette from the neighbours of 111 and
      // 123 holds it; (2a - b, b) = (99, 123) has it as the midpoint.
      {"a as the midpoint", StartTwoColours, 3,
       {{111, 0, 0, 0.5}, {123, 0, 0, 0.5}}, {111, 0, 0}, {123, 0, 0}, 3, {{12, 0, 0}, {15, 0, 0}}, 0.0},
      {"a four-level start is one four-colour try", StartFourLevels, 4,
       {{99, 0, 0, 0.5}, {107, 0, 0, 0.5}}, {99, 0, 0}, {107, 0, 0}, 4, {{12, 0, 0}, {13, 0, 0}}, 0.0},
  };
  for (const RefineCase& c : cases) {
    const DistinctColours colours = MakeColours(c.block);
    const QuantisedEndpoints q = RefineEndpoints(c.startKind, c.colours, colours, kByteScale, c.a, c.b);
    EXPECT_EQ(q.mode, c.mode) << c.what;
    for (int32_t e = 0; e < 2; ++e) {
      for (int32_t ch = 0; ch < 3; ++ch) EXPECT_EQ(q.end[e][ch], c.end[e][ch]) << c.what << " end " << e << " " << ch;
    }
    EXPECT_EQ(q.error, c.error) << c.what;
  }
}

}  // namespace
}  // namespace quarn
