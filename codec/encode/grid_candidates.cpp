#include "codec/encode/grid_candidates.h"

#include <cmath>

namespace quarn {

GridCandidates NeighbouringGridValues(double x, int32_t bits) {
  const int32_t step = 1 << (8 - bits);
  // floor(x) clamped to 0..255, decided on the double so that far-off end
  // points (and a value that is not a number) never reach the integer
  // conversion out of range.
  int32_t q;
  if (!(x >= 0.0)) {
    q = 0;
  } else if (x >= 256.0) {
    q = 256 - step;
  } else {
    q = static_cast<int32_t>(std::floor(x));
  }
  q &= 256 - step;
  // The replicated low bits can lift the value above x: step down one code.
  if (ExpandGridValue(q, bits) > x && q >= step) q -= step;
  GridCandidates c;
  c.low = ExpandGridValue(q, bits);
  c.high = q + step < 256 ? ExpandGridValue(q + step, bits) : c.low;
  return c;
}

int32_t QuantiserPalette(int32_t colourCount, int32_t x0, int32_t x1, int32_t entry[4]) {
  entry[0] = x0;
  entry[1] = x1;
  if (colourCount == 4) {
    entry[2] = (2 * x0 + x1 + 1) / 3;
    entry[3] = (x0 + 2 * x1 + 1) / 3;
    return 4;
  }
  entry[2] = (x0 + x1) / 2;
  return 3;
}

}  // namespace quarn
