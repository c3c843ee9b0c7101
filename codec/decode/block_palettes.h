// The per-block palettes of the DXT formats.
#ifndef QUARN_CODEC_DECODE_BLOCK_PALETTES_H
#define QUARN_CODEC_DECODE_BLOCK_PALETTES_H

#include <cstdint>

namespace quarn {

// The four colours (0xAARRGGBB) of a colour block with stored end points c0
// and c1 (5:6:5 words). With c1 < c0 four opaque colours; otherwise three
// opaque colours and transparent black as entry 3.
void BuildColourPalette(uint16_t c0, uint16_t c1, uint32_t palette[4]);

// The eight alphas of an interpolated alpha block with end points a0 and a1.
// With a1 < a0 six interpolated steps; otherwise four, then 0 and 255.
void BuildAlphaPalette(uint8_t a0, uint8_t a1, uint8_t palette[8]);

}  // namespace quarn

#endif
