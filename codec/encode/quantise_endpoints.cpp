// Quantises two continuous end points to 5:6:5: per channel the grid values
// next to each end point, the best of the 4 x 4 x 4 channel combinations, then
// the nearest palette entry for every distinct colour.
#include <cmath>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#endif

#include "codec/encode/endpoint_refinement.h"
#include "codec/encode/grid_candidates.h"

// Fully unrolls the short fixed loops of the inner work (the compilers do
// not at the default optimisation level); other compilers ignore it.
#if defined(__clang__)
#define QUARN_UNROLL_4 _Pragma("unroll 4")
#elif defined(__GNUC__)
#define QUARN_UNROLL_4 _Pragma("GCC unroll 4")
#else
#define QUARN_UNROLL_4
#endif

namespace quarn {
namespace {

// Each choice's total: per colour four times the smallest entry cost, taken
// without branches (three colours: the midpoint cost is doubled to stay on
// the same scale), summed over the colours in order. Lane j is the blue
// combination j; lanes only add, subtract and clear sign bits, exactly as the
// scalar evaluation does.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
__m128d Abs(__m128d x) { return _mm_andnot_pd(_mm_set1_pd(-0.0), x); }

template <int32_t K>
__m128d FourTimesSmallest(const __m128d (&e)[K]) {
  const __m128d t = _mm_sub_pd(_mm_add_pd(e[0], e[1]), Abs(_mm_sub_pd(e[0], e[1])));
  if constexpr (K == 4) {
    const __m128d v = _mm_sub_pd(_mm_add_pd(e[2], e[3]), Abs(_mm_sub_pd(e[2], e[3])));
    return _mm_sub_pd(_mm_add_pd(t, v), Abs(_mm_sub_pd(t, v)));
  } else {
    const __m128d twice = _mm_add_pd(e[2], e[2]);
    return _mm_sub_pd(_mm_add_pd(t, twice), Abs(_mm_sub_pd(twice, t)));
  }
}

template <int32_t K>
void ChoiceTotals(const double (&cost)[3][4][16][4], const double (&blueCost)[16][4][4], int32_t u,
                  double total[64]) {
  for (int32_t rg = 0; rg < 16; ++rg) {
    const double(&red)[16][4] = cost[0][rg & 3];
    const double(&green)[16][4] = cost[1][rg >> 2];
    __m128d sumLow = _mm_setzero_pd();   // blue combinations 0 and 1
    __m128d sumHigh = _mm_setzero_pd();  // 2 and 3
    for (int32_t i = 0; i < u; ++i) {
      __m128d low[K];
      __m128d high[K];
QUARN_UNROLL_4
      for (int32_t k = 0; k < K; ++k) {
        const __m128d rgCost = _mm_set1_pd(red[i][k] + green[i][k]);
        low[k] = _mm_add_pd(rgCost, _mm_load_pd(&blueCost[i][k][0]));
        high[k] = _mm_add_pd(rgCost, _mm_load_pd(&blueCost[i][k][2]));
      }
      sumLow = _mm_add_pd(sumLow, FourTimesSmallest<K>(low));
      sumHigh = _mm_add_pd(sumHigh, FourTimesSmallest<K>(high));
    }
    double sum[4];
    _mm_storeu_pd(&sum[0], sumLow);
    _mm_storeu_pd(&sum[2], sumHigh);
    for (int32_t j = 0; j < 4; ++j) total[rg + 16 * j] = sum[j];
  }
}
#else
template <int32_t K>
void ChoiceTotals(const double (&cost)[3][4][16][4], const double (&blueCost)[16][4][4], int32_t u,
                  double total[64]) {
  for (int32_t rg = 0; rg < 16; ++rg) {
    const double(&red)[16][4] = cost[0][rg & 3];
    const double(&green)[16][4] = cost[1][rg >> 2];
    double sum[4] = {0.0, 0.0, 0.0, 0.0};
    for (int32_t i = 0; i < u; ++i) {
      for (int32_t j = 0; j < 4; ++j) {
        double e[K];
        for (int32_t k = 0; k < K; ++k) e[k] = (red[i][k] + green[i][k]) + blueCost[i][k][j];
        const double t = (e[0] + e[1]) - std::fabs(e[0] - e[1]);
        if constexpr (K == 4) {
          const double v = (e[2] + e[3]) - std::fabs(e[2] - e[3]);
          sum[j] += (t + v) - std::fabs(t - v);
        } else {
          sum[j] += (t + 2.0 * e[2]) - std::fabs(2.0 * e[2] - t);
        }
      }
    }
    for (int32_t j = 0; j < 4; ++j) total[rg + 16 * j] = sum[j];
  }
}
#endif

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
      // Three colours: a fourth entry (never read) keeps the loop below at a
      // fixed length.
      if (entries == 3) palette[ch][j][3] = palette[ch][j][2];
      const double* p = palette[ch][j];
      for (int32_t i = 0; i < u; ++i) {
        const double v = colours.colour[i][ch];
        const double f = colours.fraction[i];
QUARN_UNROLL_4
        for (int32_t k = 0; k < 4; ++k) {
          const double d = v - p[k];
          cost[ch][j][i][k] = d * f * d;
        }
      }
    }
  }

  // The totals of the four choices that differ only in blue are computed
  // side by side (blue combination innermost); each is still its own sum,
  // red plus green plus blue per entry and colours in order, so the bits
  // are those of one choice at a time.
  alignas(16) double blueCost[16][4][4];
  for (int32_t i = 0; i < u; ++i) {
    for (int32_t k = 0; k < entries; ++k) {
      for (int32_t j = 0; j < 4; ++j) blueCost[i][k][j] = cost[2][j][i][k];
    }
  }
  double total[64];  // by choice m = (red combination) + 4 * (green) + 16 * (blue)
  if (entries == 4) {
    ChoiceTotals<4>(cost, blueCost, u, total);
  } else {
    ChoiceTotals<3>(cost, blueCost, u, total);
  }

  const double squaredWeights = weight[0] * weight[0] + weight[1] * weight[1] + weight[2] * weight[2];
  double bestTotal = 32.0 * squaredWeights;  // above any total
  int32_t bestChoice = 0;
  for (int32_t m = 0; m < 64; ++m) {
    if (total[m] < bestTotal) {
      bestTotal = total[m];
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
