// The record between the block walk and the DXT5 alpha fitter, one per block.
#ifndef QUARN_CODEC_DECODE_ALPHA_BLOCK_FIT_H
#define QUARN_CODEC_DECODE_ALPHA_BLOCK_FIT_H

#include <cstdint>

namespace quarn {

struct AlphaBlockFit {
  // In.
  int32_t count = 0;        // values, 0 to 16, in the block's row-major texel order
  float alpha[16] = {};     // alpha / largest alpha; exactly 1.0 for the largest
  // Out.
  int32_t levels = 8;       // 8, or 6 (six interpolated levels plus exact 0 and 255)
  int32_t end0 = 0;         // low end of the fitted ramp, 0 to 255
  int32_t end1 = 0;         // high end of the fitted ramp, 0 to 255
  int32_t code[16] = {};    // per value, 0 to 7
};

// Chooses the palette kind, end points and codes for one block. Re-entrant.
void FitAlphaBlock(AlphaBlockFit& fit);

// Least-squares fit of one ramp of `levels` (6 or 8) levels to `count` values
// (nominally 0 to 1). Writes the two end points (0 to 255, low end first) and
// one code per value; returns the squared error on the 0 to 255 scale.
double FitAlphaRamp(int32_t levels, int32_t count, const double* values, int32_t ends[2], int32_t* codes);

}  // namespace quarn

#endif
