// The search over orders of the distinct colours. Each candidate fits an
// order, re-orders the colours along the fitted line and fits again until an
// order comes back (or its budget runs out): candidate 0 starts from the
// principal axis, candidate 1 from the most distant pair of colours. When the
// better fit leaves the colour cube, a bounded phase refits it inside.
#include "codec/encode/colour_search.h"

#include "codec/encode/order_ring.h"

namespace quarn {
namespace {

constexpr int32_t kCandidateBudget = 16;
constexpr int32_t kBoundedBudget = 8;

bool OutsideBox(const ClusterFitResult& fit, const BlockColours& colours) {
  for (const auto& end : fit.end) {
    for (int32_t ch = 0; ch < 3; ++ch) {
      if (end[ch] < colours.lower[ch] || end[ch] > colours.upper[ch]) return true;
    }
  }
  return false;
}

void CopyAxis(const double from[3], double to[3]) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

}  // namespace

int32_t ChooseCandidate(const ClusterFitResult candidate[2], const bool fitted[2]) {
  return fitted[1] && !(candidate[1].error > candidate[0].error) ? 1 : 0;
}

SearchOutcome SearchEndpoints(const BlockColours& colours, const double (*centred)[3], int32_t texelCount,
                              int32_t colourCount) {
  SearchOutcome outcome;
  const int32_t maxLevel = colourCount - 1;
  double axis[3];
  PrincipalAxis(centred, texelCount, axis);
  OrderRing ring;
  ring.Restart(OrderByProjection(axis, colours.distinct, 0));

  ClusterFitResult candidate[2];
  bool fitted[2] = {false, false};
  ColourOrder saved[2];
  for (int32_t k = 0; k < 2; ++k) {
    int32_t budget = kCandidateBudget;
    bool firstPass = true;
    for (;;) {
      candidate[k].kind = maxLevel;
      if (k == 1 && firstPass) {
        FarthestPairAxis(colours.distinct, axis);
      } else {
        candidate[k] = ClusterFit(colours, ring.Current(), maxLevel);
        CopyAxis(candidate[k].axis, axis);
        fitted[k] = true;
        ++outcome.fits[k];
      }
      firstPass = false;
      const bool repeats = ring.Advance(axis, colours.distinct, budget);
      const bool exhausted = budget == 0;
      --budget;
      if (exhausted || repeats) break;
    }
    saved[k] = ring.Current();
  }

  outcome.chosen = ChooseCandidate(candidate, fitted);
  ClusterFitResult& best = outcome.fit;
  best = candidate[outcome.chosen];

  if (OutsideBox(best, colours)) {
    ring.Restart(saved[outcome.chosen]);
    int32_t budget = kBoundedBudget;
    for (;;) {
      best = BoundedClusterFit(colours, ring.Current(), maxLevel);
      ++outcome.boundedFits;
      CopyAxis(best.axis, axis);
      const bool repeats = ring.Advance(axis, colours.distinct, budget);
      const bool exhausted = budget == 0;
      --budget;
      if (exhausted || repeats) break;
    }
  }
  return outcome;
}

}  // namespace quarn
