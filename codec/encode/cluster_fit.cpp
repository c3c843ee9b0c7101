// The free cluster fit: for every split of an order into evenly spaced
// levels, the least-squares line through the colours at those levels
// explains |S|^2 / V of their spread; the split that explains most wins.
#include "codec/encode/cluster_arrangements.h"

namespace quarn {
namespace {

double SquaredLength(const double s[3]) { return s[0] * s[0] + s[1] * s[1] + s[2] * s[2]; }

// Keeps the best score -|S|^2 / V as a fraction, compared by
// cross-multiplication; the later of equal scores wins. The numerator is
// kept without its sign: Vb * -x <= -xb * V is exactly Vb * x >= xb * V.
struct FreeLineScorer {
  double bestExplained = 0.0;  // |S|^2 of the best
  double bestVariance = 0.0;

  bool Offer(const LevelSums& sums, int32_t /*highest*/) {
    const double explained = SquaredLength(sums.s);
    if (bestVariance * explained >= bestExplained * sums.v) {
      bestExplained = explained;
      bestVariance = sums.v;
      return true;
    }
    return false;
  }
};

}  // namespace

ClusterFitResult ClusterFit(const BlockColours& colours, const ColourOrder& order, int32_t maxLevel) {
  const OrderedColours ordered = GatherAlongOrder(colours, order);
  FreeLineScorer scorer;
  const SettledArrangement settled = SettleArrangement(ordered, FindBestArrangement(ordered, maxLevel, scorer));

  const LevelSums& sums = settled.sums;
  ClusterFitResult result;
  result.kind = settled.kind;
  result.error = -SquaredLength(sums.s) / sums.v;
  const double top = settled.highest;
  for (int32_t ch = 0; ch < 3; ++ch) {
    result.end[0][ch] = -sums.w * sums.s[ch] / sums.v;
    result.end[1][ch] = (top - sums.w) * sums.s[ch] / sums.v;
    result.axis[ch] = sums.s[ch];
  }
  return result;
}

}  // namespace quarn
