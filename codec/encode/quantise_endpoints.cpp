// Quantises two continuous end points to 5:6:5: per channel the grid values
// next to each end point, the best of the 4 x 4 x 4 channel combinations, then
// the nearest palette entry for every distinct colour.
#include <cmath>

#include "codec/encode/endpoint_refinement.h"
#include "codec/encode/grid_candidates.h"

namespace quarn {
namespace {

// Four times the smallest of the costs, without branches. Three colours:
// the midpoint entry is doubled to stay on the same scale.
double FourTimesSmallest3(const double e[4]) {
  const double t = (e[0] + e[1]) - std::fabs(e[0] - e[1]);
  return (t + 2.0 * e[2]) - std::fabs(2.0 * e[2] - t);
}

double FourTimesSmallest4(const double e[4]) {
  const double t = (e[0] + e[1]) - std::fabs(e[0] - e[1]);
  const double u = (e[2] + e[3]) - std::fabs(e[2] - e[3]);
  return (t + u) - std::fabs(t - u);
}

// An end point's channel on the 0-255 scale.
double ToByteScale(double y, double weight) { return weight == 0.0 ? 0.0 : y / weight * 255.0; }

}  // namespace

QuantisedEndpoints QuantiseEndpoints(int32_t colourCount, const DistinctColours& colours, const double weight[3],
                                     const double a[3], const double b[3]) {
  const int32_t u = colours.count;
  // Per channel and combination j = 2 * (first end's choice) + second end's
  // choice: the two 8-bit end values and the palette on the weighted scale.
  int32_t endValue[3][4][2];
  double palette[3][4][4];
  // cost[ch][j][i][k]: colour i against entry k of channel ch's palette j.
  double cost[3][4][16][4];
  int32_t entries = 0;
  for (int32_t ch = 0; ch < 3; ++ch) {
    const GridCandidates first = NeighbouringGridValues(ToByteScale(a[ch], weight[ch]), kChannelBits[ch]);
    const GridCandidates second = NeighbouringGridValues(ToByteScale(b[ch], weight[ch]), kChannelBits[ch]);
    for (int32_t j = 0; j < 4; ++j) {
      endValue[ch][j][0] = (j >> 1) != 0 ? first.high : first.low;
      endValue[ch][j][1] = (j & 1) != 0 ? second.high : second.low;
      int32_t entry[4];
      entries = QuantiserPalette(colourCount, endValue[ch][j][0], endValue[ch][j][1], entry);
      for (int32_t k = 0; k < entries; ++k) palette[ch][j][k] = static_cast<double>(entry[k]) * weight[ch] / 255.0;
      for (int32_t i = 0; i < u; ++i) {
        for (int32_t k = 0; k < entries; ++k) {
          const double d = colours.colour[i][ch] - palette[ch][j][k];
          cost[ch][j][i][k] = d * colours.fraction[i] * d;
        }
      }
    }
  }

  // Red plus green for the 16 pairs (index red + 4 * green): the choices
  // below then add blue, the same left-to-right sum per entry.
  double redGreen[16][16][4];
  for (int32_t rg = 0; rg < 16; ++rg) {
    for (int32_t i = 0; i < u; ++i) {
      for (int32_t k = 0; k < entries; ++k) redGreen[rg][i][k] = cost[0][rg & 3][i][k] + cost[1][rg >> 2][i][k];
    }
  }

  const double squaredWeights = weight[0] * weight[0] + weight[1] * weight[1] + weight[2] * weight[2];
  double bestTotal = 32.0 * squaredWeights;  // above any total
  int32_t bestChoice = 0;
  for (int32_t m = 0; m < 64; ++m) {
    const int32_t rg = m & 15;
    const int32_t blue = m >> 4;
    double total = 0.0;
    for (int32_t i = 0; i < u; ++i) {
      double e[4] = {};
      for (int32_t k = 0; k < entries; ++k) e[k] = redGreen[rg][i][k] + cost[2][blue][i][k];
      total += entries == 4 ? FourTimesSmallest4(e) : FourTimesSmallest3(e);
    }
    if (total < bestTotal) {
      bestTotal = total;
      bestChoice = m;
    }
  }

  QuantisedEndpoints result;
  result.mode = entries;
  const int32_t combination[3] = {bestChoice & 3, (bestChoice >> 2) & 3, bestChoice >> 4};
  for (int32_t ch = 0; ch < 3; ++ch) {
    for (int32_t e = 0; e < 2; ++e) result.end[e][ch] = endValue[ch][combination[ch]][e] >> (8 - kChannelBits[ch]);
  }
  double error = 0.0;
  for (int32_t i = 0; i < u; ++i) {
    double best = 2.0 * squaredWeights;
    int32_t bestEntry = 0;
    for (int32_t k = 0; k < entries; ++k) {
      double distance = 0.0;
      for (int32_t ch = 0; ch < 3; ++ch) {
        const double d = colours.colour[i][ch] - palette[ch][combination[ch]][k];
        distance += d * d;
      }
      const double value = colours.fraction[i] * distance;
      if (value < best) {
        best = value;
        bestEntry = k;
      }
    }
    result.index[i] = bestEntry;
    error += best;
  }
  result.error = error;
  return result;
}

}  // namespace quarn
