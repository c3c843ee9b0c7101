// The cluster fit with its end points held inside the box that centred
// colours can take: per channel the line's values at levels 0 and n are
// clamped into the box and the score is the residual of the clamped line.
// Every quantity stays a fraction over V and AB so that no arrangement needs
// a division; only the final one is divided out.
#include <cmath>

#include "codec/encode/cluster_arrangements.h"

namespace quarn {
namespace {

// x limited to [p, q], written without branches.
double Clamp(double x, double p, double q) { return (q - std::fabs(q - x) + p + std::fabs(p - x)) / 2.0; }

// The per-channel quantities of one arrangement and its score E / F.
struct BoundedLine {
  double p = 0.0;  // -W
  double q = 0.0;  // n - W
  double ab = 0.0;
  double gq[3] = {};  // level-0 end point, times AB * V, less P * S
  double u[3] = {};   // level-n end point, likewise with Q
  double e = 0.0;
  double f = 0.0;
};

BoundedLine EvaluateBoundedLine(const LevelSums& sums, int32_t highest, const BlockColours& colours) {
  BoundedLine line;
  const double v = sums.v;
  const double n = highest;
  line.p = -sums.w;
  line.q = n - sums.w;
  const double p = line.p;
  const double q = line.q;
  const double bq = p * p + v;
  const double aq = q * q + v;
  const double mq = p * q + v;
  line.ab = aq * bq;
  const double ab = line.ab;
  const double z = n * n * v * (ab * ab);
  double e = 0.0;
  for (int32_t ch = 0; ch < 3; ++ch) {
    const double s = sums.s[ch];
    const double a1 = v * colours.lower[ch] - p * s;
    const double a2 = v * colours.upper[ch] - p * s;
    const double b1 = (v * colours.lower[ch] - q * s) * bq;
    const double b2 = (v * colours.upper[ch] - q * s) * bq;
    const double t = Clamp(0.0, a1, a2) * mq;
    const double h = Clamp(t, b1, b2);
    const double u = h * aq;
    const double gq = Clamp(mq * h, a1 * ab, a2 * ab);
    const double along = gq - u;
    const double across = p * u - q * gq;
    e = e + (v * (along * along) + across * across - s * s * z);
    line.gq[ch] = gq;
    line.u[ch] = u;
  }
  line.e = e;
  line.f = v * z;
  return line;
}

// Keeps the best E / F, compared by cross-multiplication; the later of equal
// scores wins.
struct BoundedLineScorer {
  const BlockColours& colours;
  double bestE = 0.0;
  double bestF = 0.0;

  bool Offer(const LevelSums& sums, int32_t highest) {
    const BoundedLine line = EvaluateBoundedLine(sums, highest, colours);
    if (bestF * line.e <= bestE * line.f) {
      bestE = line.e;
      bestF = line.f;
      return true;
    }
    return false;
  }
};

}  // namespace

ClusterFitResult BoundedClusterFit(const BlockColours& colours, const ColourOrder& order, int32_t maxLevel) {
  const OrderedColours ordered = GatherAlongOrder(colours, order);
  BoundedLineScorer scorer{colours};
  const SettledArrangement settled = SettleArrangement(ordered, FindBestArrangement(ordered, maxLevel, scorer));

  const LevelSums& sums = settled.sums;
  const BoundedLine line = EvaluateBoundedLine(sums, settled.highest, colours);
  ClusterFitResult result;
  result.kind = settled.kind;
  result.error = line.e / line.f;
  for (int32_t ch = 0; ch < 3; ++ch) {
    result.end[0][ch] = (line.gq[ch] / line.ab + line.p * sums.s[ch]) / sums.v;
    result.end[1][ch] = (line.u[ch] / line.ab + line.q * sums.s[ch]) / sums.v;
    result.axis[ch] = sums.s[ch];
  }
  return result;
}

}  // namespace quarn
