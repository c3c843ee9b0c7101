// Chooses how a DXT5 block stores its alpha: one ramp of eight levels, or a
// ramp of six levels with exact 0 and 255 beside it. Five configurations
// (palette kind and the subset of values that the ramp must cover) are
// fitted; the first one with the smallest error wins.
#include "codec/decode/alpha_block_fit.h"

namespace quarn {
namespace {

constexpr int32_t kMaxValues = 16;
constexpr int32_t kConfigurations = 5;

struct AlphaConfiguration {
  int32_t levels;
  bool exactZero;  // values of exactly 0.0 take code 6 and are not fitted
  bool exactOne;   // values of exactly 1.0 take code 7 and are not fitted
  int32_t count;
  double values[kMaxValues];
  int32_t ends[2];
  int32_t codes[kMaxValues];
  double error;
};

}  // namespace

void FitAlphaBlock(AlphaBlockFit& fit) {
  const int32_t count = fit.count < 0 ? 0 : (fit.count > kMaxValues ? kMaxValues : fit.count);
  // In order: 8 levels over all values; 6 levels over all values; 6 levels
  // with exact 0; with exact 255; with both. The value and code arrays are
  // filled before use; an empty subset leaves its end points at 0.
  AlphaConfiguration config[kConfigurations];
  for (int32_t k = 0; k < kConfigurations; ++k) {
    config[k].levels = k == 0 ? 8 : 6;
    config[k].exactZero = k == 2 || k == 4;
    config[k].exactOne = k == 3 || k == 4;
    config[k].count = 0;
    config[k].ends[0] = config[k].ends[1] = 0;
    config[k].error = 0.0;
  }
  for (int32_t i = 0; i < count; ++i) {
    const float alpha = fit.alpha[i];
    for (AlphaConfiguration& c : config) {
      if ((c.exactZero && alpha == 0.0f) || (c.exactOne && alpha == 1.0f)) continue;
      c.values[c.count++] = alpha;
    }
  }

  // A configuration that sets values aside is only tried when there are
  // any; a later one replaces the choice only with a strictly smaller error.
  int32_t chosen = 0;
  for (int32_t k = 0; k < kConfigurations; ++k) {
    AlphaConfiguration& c = config[k];
    if (k >= 2 && c.count == count) continue;
    c.error = FitAlphaRamp(c.levels, c.count, c.values, c.ends, c.codes);
    if (k > 0 && c.error < config[chosen].error) chosen = k;
  }

  const AlphaConfiguration& best = config[chosen];
  fit.levels = best.levels;
  fit.end0 = best.ends[0];
  fit.end1 = best.ends[1];
  int32_t next = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (best.exactZero && fit.alpha[i] == 0.0f) {
      fit.code[i] = 6;
    } else if (best.exactOne && fit.alpha[i] == 1.0f) {
      fit.code[i] = 7;
    } else {
      fit.code[i] = best.codes[next++];
    }
  }
}

}  // namespace quarn
