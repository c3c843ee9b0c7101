// The colour fitter's preparation: weights and centres the block's texels,
// merges equal colours, and chooses the refinement's start: the block's two
// colours when it has exactly two (and no alpha block), else the end points
// of the search. Nearly uniform blocks are marked for the uniform fitter.
#include <cmath>

#include "codec/encode/colour_search.h"

namespace quarn {
namespace {

// Texels closer than this in every channel (on the 0-1 scale) make a uniform
// block; it is below one step of an 8-bit channel.
constexpr double kUniformTolerance = 0.00048828125;  // 2^-11

bool IsUniform(const ColourBlockFit& fit) {
  for (int32_t i = 1; i < fit.count; ++i) {
    for (int32_t ch = 0; ch < 3; ++ch) {
      if (!(std::fabs(fit.texel[i][ch] - fit.texel[0][ch]) < kUniformTolerance)) return false;
    }
  }
  return true;
}

bool SameColour(const double a[3], const double b[3]) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

}  // namespace

ColourFitPlan PlanColourFit(ColourBlockFit& fit, BlockColours& colours, int32_t texelColour[16]) {
  ColourFitPlan plan;
  const int32_t n = fit.count;
  const double inverseCount = 1.0 / n;
  double* w = colours.weight;
  for (int32_t ch = 0; ch < 3; ++ch) w[ch] = fit.weight[ch] < 0.0 ? 0.0 : fit.weight[ch];
  if (fit.alphaBlock) fit.colours = 4;

  double x[16][3];
  double sum[3] = {0.0, 0.0, 0.0};
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t ch = 0; ch < 3; ++ch) {
      x[i][ch] = fit.texel[i][ch] * w[ch];
      sum[ch] = sum[ch] + x[i][ch];
    }
  }
  if (IsUniform(fit)) {
    plan.uniform = true;
    return plan;
  }

  double mean[3];
  double centred[16][3];
  for (int32_t ch = 0; ch < 3; ++ch) {
    mean[ch] = sum[ch] * inverseCount;
    colours.lower[ch] = -mean[ch];
    colours.upper[ch] = w[ch] - mean[ch];
  }
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t ch = 0; ch < 3; ++ch) centred[i][ch] = x[i][ch] - mean[ch];
  }

  // Distinct colours in order of first appearance, with their texel counts
  // and the sums of their centred texels.
  DistinctColours& distinct = colours.distinct;
  int32_t texels[16];
  int32_t u = 0;
  for (int32_t i = 0; i < n; ++i) {
    int32_t j = 0;
    while (j < u && !SameColour(distinct.colour[j], x[i])) ++j;
    if (j == u) {
      for (int32_t ch = 0; ch < 3; ++ch) {
        distinct.colour[j][ch] = x[i][ch];
        colours.centred[j][ch] = centred[i][ch];
      }
      texels[j] = 1;
      ++u;
    } else {
      for (int32_t ch = 0; ch < 3; ++ch) colours.centred[j][ch] = colours.centred[j][ch] + centred[i][ch];
      ++texels[j];
    }
    texelColour[i] = j;
  }
  distinct.count = u;
  for (int32_t j = 0; j < u; ++j) {
    distinct.fraction[j] = texels[j] * inverseCount;
    for (int32_t ch = 0; ch < 3; ++ch) colours.centred[j][ch] = colours.centred[j][ch] * inverseCount;
  }

  // Texels that differ only in channels of weight 0 are one colour on the
  // weighted scale; such a block has nothing to search along.
  if (u == 1) {
    plan.uniform = true;
    return plan;
  }

  if (u == 2 && !fit.alphaBlock) {
    plan.startKind = StartTwoColours;
    for (int32_t ch = 0; ch < 3; ++ch) {
      plan.start[0][ch] = distinct.colour[0][ch];
      plan.start[1][ch] = distinct.colour[1][ch];
    }
    return plan;
  }

  const ClusterFitResult best = SearchEndpoints(colours, centred, n, fit.colours).fit;
  plan.startKind = fit.alphaBlock ? StartFourLevels : best.kind + 1;
  for (int32_t ch = 0; ch < 3; ++ch) {
    plan.start[0][ch] = mean[ch] + best.end[0][ch];
    plan.start[1][ch] = mean[ch] + best.end[1][ch];
  }
  return plan;
}

}  // namespace quarn
