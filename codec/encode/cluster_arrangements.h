// The arrangements that both cluster fits visit: an order of distinct colours
// split into contiguous groups at levels 0 to 3 by boundaries
// U >= D >= B >= A >= 1 (element i sits at level [i >= A] + [i >= B] + [i >= D]).
// The sums of each arrangement are kept incrementally so that every
// arrangement costs constant work; each loop level starts from a copy of its
// parent's sums and only ever adds, which fixes the rounding of every sum.
#ifndef QUARN_CODEC_ENCODE_CLUSTER_ARRANGEMENTS_H
#define QUARN_CODEC_ENCODE_CLUSTER_ARRANGEMENTS_H

#include <cstdint>

#include "codec/encode/colour_search.h"

namespace quarn {

// Sums of an arrangement: W = sum g_i k_i, V = sum g_i k_i^2 - W^2 (the
// weighted variance of the levels), S = sum k_i y_i.
struct LevelSums {
  double w = 0.0;
  double v = 0.0;
  double s[3] = {0.0, 0.0, 0.0};
};

// The order's colours as the fits read them: y_i = P of the i-th colour of the
// order, g_i its fraction.
struct OrderedColours {
  int32_t count = 0;
  double y[16][3] = {};
  double g[16] = {};
};

struct Arrangement {
  int32_t a = 0;
  int32_t b = 0;
  int32_t d = 0;
};

// The best arrangement after the final adjustment: every element's level,
// sums computed afresh from those levels, the highest level in use and the
// kind of the fit.
struct SettledArrangement {
  int32_t level[16] = {};
  LevelSums sums;
  int32_t highest = 0;
  int32_t kind = 0;
};

OrderedColours GatherAlongOrder(const BlockColours& colours, const ColourOrder& order);

// A lone upper group at level 3 moves to level 2; the sums are then computed
// afresh over the final levels.
SettledArrangement SettleArrangement(const OrderedColours& ordered, const Arrangement& best);

// An element's level rises from k to k + 1 (`twoKPlusOne` = 2k + 1).
inline void RaiseLevel(LevelSums& sums, double twoKPlusOne, double g, const double y[3]) {
  sums.v = sums.v + ((twoKPlusOne - 2.0 * sums.w) - g) * g;
  sums.w = sums.w + g;
  sums.s[0] = sums.s[0] + y[0];
  sums.s[1] = sums.s[1] + y[1];
  sums.s[2] = sums.s[2] + y[2];
}

// Visits A from U down to 1, for each A B from U down to A, for each B D from
// U down to B (D stays at U when maxLevel is below 3), and offers every
// arrangement's sums with its highest level present to `scorer.Offer`, which
// returns true when the arrangement becomes the best. Returns the last
// arrangement that did.
template <typename Scorer>
Arrangement FindBestArrangement(const OrderedColours& ordered, int32_t maxLevel, Scorer& scorer) {
  const int32_t u = ordered.count;
  Arrangement best{u, u, u};
  LevelSums sumsA;
  for (int32_t a = u; a >= 1; --a) {
    if (a < u) RaiseLevel(sumsA, 1.0, ordered.g[a], ordered.y[a]);
    const int32_t highestA = a < u ? 1 : 0;
    LevelSums sumsB = sumsA;
    for (int32_t b = u; b >= a; --b) {
      if (b < u) RaiseLevel(sumsB, 3.0, ordered.g[b], ordered.y[b]);
      const int32_t highestB = b < u ? 2 : highestA;
      if (scorer.Offer(sumsB, highestB)) best = Arrangement{a, b, u};
      if (maxLevel < 3) continue;
      LevelSums sumsD = sumsB;
      for (int32_t d = u - 1; d >= b; --d) {
        RaiseLevel(sumsD, 5.0, ordered.g[d], ordered.y[d]);
        if (scorer.Offer(sumsD, 3)) best = Arrangement{a, b, d};
      }
    }
  }
  return best;
}

}  // namespace quarn

#endif
