// Packing of one block's fitted results into the published DXT bit layouts.
// Kept apart from the block walk so that each rule (end-point order, index
// renumbering, nibble rounding) can be checked on its own.
#ifndef QUARN_CODEC_ENCODE_BLOCK_PACKING_H
#define QUARN_CODEC_ENCODE_BLOCK_PACKING_H

#include <cstdint>

#include "codec/decode/alpha_block_fit.h"
#include "codec/encode/colour_block_fit.h"

namespace quarn {

// A block's slot map: for each texel position k = 4*y + x, the texel's place
// in the fit lists, or -1 when it takes no part (outside the image, or cut).
using SlotMap = int32_t[16];

// Writes the 8-byte colour block from the fit's `mode`, `end` and `index`.
// Equal end points are broken apart (in `alphaCut` mode towards a
// three-colour block, else by raising c0, wrapping at 16 bits), then the
// end points are ordered so the stored order selects the block's mode, with
// the indices renumbered to match. Positions with slot -1 get index 3.
void PackColourBlock(const ColourBlockFit& fit, bool alphaCut, const SlotMap& slot, uint8_t out[8]);

// Writes the 8-byte explicit alpha block: one 4-bit value per texel,
// floor(alpha / largest * 15 + 0.5), for the texels inside the clipped
// block; 0 elsewhere. `alpha` holds the channel value of each position.
void PackExplicitAlpha(const uint32_t alpha[16], uint32_t largest, int32_t clippedWidth, int32_t clippedHeight,
                       uint8_t out[8]);

// Writes the 8-byte interpolated alpha block from the fitter's result: equal
// end points become a six-level block with every code 0, the end points are
// ordered so the stored order selects the fitted palette kind (codes
// renumbered to match) and limited to 0-255. Positions with slot -1 get 0.
void PackInterpolatedAlpha(const AlphaBlockFit& fit, const SlotMap& slot, uint8_t out[8]);

}  // namespace quarn

#endif
