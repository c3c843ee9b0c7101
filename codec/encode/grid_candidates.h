// The 5:6:5 grid of one colour channel as the quantiser sees it: which 8-bit
// values a code can stand for, the two of them next to a continuous value,
// and the palette entries two such values make.
#ifndef QUARN_CODEC_ENCODE_GRID_CANDIDATES_H
#define QUARN_CODEC_ENCODE_GRID_CANDIDATES_H

#include <cstdint>

namespace quarn {

// Bits of the red, green and blue end-point codes.
inline constexpr int32_t kChannelBits[3] = {5, 6, 5};

// The 8-bit value that a code stands for, with `q` the code already shifted
// to the top of the byte (code << (8 - bits)): the decoder's bit replication.
constexpr int32_t ExpandGridValue(int32_t q, int32_t bits) { return q + (q >> bits); }

// The representable values just below and just above `x` (on the 0-255
// scale); both are the top value when `x` is at or above it, and 0 and the
// next step when `x` is at or below 0.
struct GridCandidates {
  int32_t low = 0;
  int32_t high = 0;
};
GridCandidates NeighbouringGridValues(double x, int32_t bits);

// The channel's palette of a `colourCount`-colour block (3 or 4) from the
// end-point values x0 and x1, in index order; returns the entry count.
int32_t QuantiserPalette(int32_t colourCount, int32_t x0, int32_t x1, int32_t entry[4]);

}  // namespace quarn

#endif
