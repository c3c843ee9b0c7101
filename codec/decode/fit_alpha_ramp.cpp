// Least-squares fit of one alpha ramp (6 or 8 levels) to up to sixteen values.
//
// The values are centred on their mean. Each iteration assigns every value to
// the nearest ramp index, fits the two end points by least squares held
// inside the range 0 to 1, and, once the assignment is stable, tries moving
// one value to a neighbouring index on updated sums. Scores are fractions
// compared by cross-multiplying. All arithmetic is double precision and is
// evaluated in the written order: the output is defined to the bit.
#include <cmath>

#include "codec/decode/alpha_block_fit.h"

namespace quarn {
namespace {

constexpr int32_t kMaxValues = 16;
constexpr int32_t kMaxLevels = 8;
constexpr int32_t kIterationBudget = 64;

// x held inside [u, v] (u <= v), in a form free of branches.
double Clamp(double x, double u, double v) { return (v - std::fabs(v - x) + u + std::fabs(u - x)) / 2.0; }

// The sums that describe an assignment of ramp indices.
struct RampStatistics {
  double mk;   // mean index
  double skk;  // sum of squared index deviations
  double sxk;  // sum of index times centred value
};

// End points on the centred scale and the score E/D of the fit (the squared
// error less the sum of squared centred values; smaller is better).
struct RampSolution {
  double lo;
  double hi;
  double e;
  double d;
};

// Bounded least squares for the ramp lo + (hi - lo) * k / L through the
// centred values, with both ends held inside -mu to 1 - mu.
RampSolution SolveBoundedRamp(double n, double steps, double mu, const RampStatistics& s) {
  const double P = -s.mk;
  const double Q = steps - s.mk;
  const double A = n * (Q * Q) + s.skk;
  const double B = n * (P * P) + s.skk;
  const double M = n * P * Q + s.skk;
  // Room for the low end (a) and for the high end (b).
  const double a1 = -mu * s.skk - s.sxk * P;
  const double a2 = (1.0 - mu) * s.skk - s.sxk * P;
  const double b1 = (-mu * s.skk - s.sxk * Q) * B;
  const double b2 = ((1.0 - mu) * s.skk - s.sxk * Q) * B;
  const double t1 = Clamp(0.0, a1, a2);
  const double t2 = Clamp(t1 * M, b1, b2);
  const double t3 = Clamp(t2 * M, a1 * A * B, a2 * A * B);
  const double t4 = t2 * A;

  RampSolution solution;
  solution.lo = (s.sxk * P + t3 / (A * B)) / s.skk;
  solution.hi = (s.sxk * Q + t4 / (A * B)) / s.skk;
  const double ab = A * B;
  const double dt = t3 - t4;
  const double dpq = P * t4 - Q * t3;
  solution.e = s.skk * (dt * dt) + n * (dpq * dpq) - (s.sxk * s.sxk) * (steps * steps) * s.skk * (ab * ab);
  solution.d = (steps * steps) * (s.skk * s.skk) * (ab * ab);
  return solution;
}

int32_t RoundEndPoint(double centred, double mu) {
  const double end = std::floor((mu + centred) * 255.0 + 0.5);
  if (end < 0.0) return 0;
  if (end > 255.0) return 255;
  return static_cast<int32_t>(end);
}

}  // namespace

double FitAlphaRamp(int32_t levels, int32_t count, const double* values, int32_t ends[2], int32_t* codes) {
  // Nothing to fit; also refuses ramps that the working arrays cannot hold.
  if (count <= 0 || levels < 2 || levels > kMaxLevels) return 0.0;
  if (count > kMaxValues) count = kMaxValues;
  const int32_t steps = levels - 1;  // L
  const double n = count;
  const double stepsReal = steps;

  // Preparation: centre the values; the ramp starts at their extremes.
  double sum = 0.0;
  for (int32_t j = 0; j < count; ++j) sum += values[j];
  const double mu = sum * (1.0 / n);
  double centred[kMaxValues];
  double smallest = values[0];
  double largest = values[0];
  for (int32_t j = 0; j < count; ++j) {
    centred[j] = values[j] - mu;
    if (values[j] < smallest) smallest = values[j];
    if (values[j] > largest) largest = values[j];
    codes[j] = 0;
  }
  double lo = smallest - mu;
  double hi = largest - mu;

  int32_t budget = kIterationBudget;
  int32_t histogram[kMaxLevels];
  // Equal values (the common flat block) would all land in the last bin of
  // a ramp of width 0 on the first assignment: nothing to iterate.
  const bool flat = smallest == largest;
  while (!flat) {
    // Assignment: the first index whose threshold lies above the value.
    const double width = (hi - lo) / stepsReal;
    double threshold[kMaxLevels];
    for (int32_t f = 0; f < steps; ++f) threshold[f] = (f + 0.5) * width + lo;
    for (int32_t k = 0; k < levels; ++k) histogram[k] = 0;
    bool unchanged = true;
    for (int32_t j = 0; j < count; ++j) {
      int32_t index = 0;
      while (index < steps && !(centred[j] < threshold[index])) ++index;
      if (index != codes[j]) unchanged = false;
      codes[j] = index;
      ++histogram[index];
    }

    int32_t occupied = 0;
    for (int32_t k = 0; k < levels; ++k) occupied += histogram[k] > 0 ? 1 : 0;
    if (occupied == 1) break;

    // Least squares for this assignment.
    int32_t sumK = 0;
    int32_t sumKK = 0;
    double sxk = 0.0;
    for (int32_t j = 0; j < count; ++j) {
      sumK += codes[j];
      sumKK += codes[j] * codes[j];
      sxk += codes[j] * centred[j];
    }
    RampStatistics stats;
    stats.mk = sumK / n;
    stats.skk = sumKK - n * (stats.mk * stats.mk);
    stats.sxk = sxk;
    const RampSolution fit = SolveBoundedRamp(n, stepsReal, mu, stats);
    lo = fit.lo;
    hi = fit.hi;

    if (budget-- == 0) break;
    if (!unchanged) continue;

    // A stable assignment: try moving one value to a neighbouring index.
    // Per index, the position of its smallest and of its largest value
    // (the first one on equal values).
    int32_t lowest[kMaxLevels];
    int32_t highest[kMaxLevels];
    for (int32_t k = 0; k < levels; ++k) lowest[k] = highest[k] = -1;
    for (int32_t j = 0; j < count; ++j) {
      const int32_t k = codes[j];
      if (lowest[k] < 0 || centred[j] < centred[lowest[k]]) lowest[k] = j;
      if (highest[k] < 0 || centred[j] > centred[highest[k]]) highest[k] = j;
    }
    bool moved = false;
    for (int32_t pass = 0; pass < 2 && !moved; ++pass) {
      // Up moves for indices 0 .. L-1, then down moves for 1 .. L.
      const double s = pass == 0 ? 1.0 : -1.0;
      const int32_t first = pass == 0 ? 0 : 1;
      const int32_t last = pass == 0 ? steps - 1 : steps;
      for (int32_t l = first; l <= last; ++l) {
        if (histogram[l] == 0 || (histogram[l] <= 1 && occupied <= 2)) continue;
        const double ce = centred[pass == 0 ? highest[l] : lowest[l]];
        RampStatistics movedStats;
        movedStats.sxk = stats.sxk + s * ce;
        movedStats.mk = stats.mk + s / n;
        movedStats.skk = stats.skk + 1.0 + 2.0 * s * (l - stats.mk) - 1.0 / n;
        const RampSolution candidate = SolveBoundedRamp(n, stepsReal, mu, movedStats);
        if (candidate.e * fit.d < candidate.d * fit.e) {
          lo = candidate.lo;
          hi = candidate.hi;
          moved = true;
          break;
        }
      }
    }
    if (!moved) break;
  }

  // Finishing: integer end points and levels, nearest level per value (the
  // lower code on equal distances), error on the 0 to 255 scale.
  ends[0] = RoundEndPoint(lo, mu);
  ends[1] = RoundEndPoint(hi, mu);
  int32_t level[kMaxLevels];
  level[0] = ends[0];
  level[1] = ends[1];
  for (int32_t j = 2; j < levels; ++j) {
    level[j] = ((levels - j) * ends[0] + (j - 1) * ends[1] + (levels - 2) / 2) / (levels - 1);
  }
  // Equal end points make every level equal: code 0 wins every tie.
  const int32_t searched = ends[0] == ends[1] ? 1 : levels;
  double error = 0.0;
  for (int32_t j = 0; j < count; ++j) {
    const double target = 255.0 * values[j];
    int32_t best = 0;
    double bestDistance = std::fabs(level[0] - target);
    for (int32_t k = 1; k < searched; ++k) {
      const double distance = std::fabs(level[k] - target);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = k;
      }
    }
    codes[j] = best;
    const double difference = level[best] - target;
    error += difference * difference;
  }
  return error;
}

}  // namespace quarn
