// The record between the block walk and the colour fitter, one per block.
#ifndef QUARN_CODEC_ENCODE_COLOUR_BLOCK_FIT_H
#define QUARN_CODEC_ENCODE_COLOUR_BLOCK_FIT_H

#include <cstdint>

namespace quarn {

// Channel weights of the colour fit (red, green, blue), as 32-bit floats.
inline constexpr float kColourWeights[3] = {0.309f, 0.609f, 0.082f};

struct ColourBlockFit {
  // In.
  int32_t count = 0;           // fitted texels N, 1 to 16
  double texel[16][3] = {};    // red, green, blue of each fitted texel, 0.0 to 1.0
  double weight[3] = {};       // kColourWeights widened to double
  int32_t colours = 4;         // 4: every texel inside the image is fitted; else 3
  bool alphaBlock = false;     // the block has its own alpha block (DXT3, DXT5)
  // Out.
  int32_t mode = 4;            // 4: four-colour block; 3: three-colour block
  int32_t end[2][3] = {};      // end points: red 0-31, green 0-63, blue 0-31
  int32_t index[16] = {};      // per fitted texel, 0 to 3 (palette numbering of the block)
};

// Fills `mode`, `end` and the first `count` entries of `index` (and may set
// `colours` to 4 when `alphaBlock` is true). `count` must be at least 1.
// Re-entrant: all working storage is on the stack.
void FitColourBlock(ColourBlockFit& fit);

}  // namespace quarn

#endif
