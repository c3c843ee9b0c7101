// Turning continuous end points into 5:6:5 end points and indices.
#ifndef QUARN_CODEC_ENCODE_ENDPOINT_REFINEMENT_H
#define QUARN_CODEC_ENCODE_ENDPOINT_REFINEMENT_H

#include <cstdint>

#include "codec/encode/colour_block_fit.h"

namespace quarn {

// The distinct colours of a block on the weighted scale (each channel 0 to
// its weight), in order of first appearance, with their fractions of the
// block (summing to 1).
struct DistinctColours {
  int32_t count = 0;  // U, 1 to 16
  double colour[16][3] = {};
  double fraction[16] = {};
};

// A quantised try: colour count (3 or 4), end points (red 0-31, green 0-63,
// blue 0-31), one index per distinct colour, and its error.
struct QuantisedEndpoints {
  int32_t mode = 4;
  int32_t end[2][3] = {};
  int32_t index[16] = {};
  double error = 0.0;
};

// Start kinds of RefineEndpoints.
enum StartKind : int32_t {
  StartTwoColours = 2,   // a and b are two colours of the block (or ends of a two-group fit)
  StartThreeLevels = 3,  // ends of a three-level fit
  StartFourLevels = 4,   // ends of a four-level fit
};

// Quantises `a` and `b` (weighted scale) for a palette of `colourCount`
// (3 or 4) entries: the neighbouring grid values of each end point, the best
// of the 64 channel combinations, the nearest entry per colour.
QuantisedEndpoints QuantiseEndpoints(int32_t colourCount, const DistinctColours& colours, const double weight[3],
                                     const double a[3], const double b[3]);

// Tries `a`, `b` and their reinterpretations for the start kind, keeps the
// try with the smallest error. `colours` (3 or 4) is what the block may use.
QuantisedEndpoints RefineEndpoints(int32_t startKind, int32_t colourCount, const DistinctColours& colours,
                                   const double weight[3], const double a[3], const double b[3]);

// Fits a block whose texels are all nearly equal, through the vector
// quantizer: writes `mode`, `end` and the first `count` entries of `index`.
void FitUniformBlock(ColourBlockFit& fit);

}  // namespace quarn

#endif
