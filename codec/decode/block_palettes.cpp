#include "codec/decode/block_palettes.h"

namespace quarn {
namespace {

struct Rgb {
  uint32_t red, green, blue;
};

// Block end points widen by bit replication, so 5-bit 16 becomes 132.
Rgb Widen565(uint16_t colour) {
  const uint32_t r5 = colour >> 11, g6 = (colour >> 5) & 0x3F, b5 = colour & 0x1F;
  return {(r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2)};
}

uint32_t Opaque(uint32_t red, uint32_t green, uint32_t blue) {
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

}  // namespace

void BuildColourPalette(uint16_t c0, uint16_t c1, uint32_t palette[4]) {
  const Rgb e0 = Widen565(c0), e1 = Widen565(c1);
  palette[0] = Opaque(e0.red, e0.green, e0.blue);
  palette[1] = Opaque(e1.red, e1.green, e1.blue);
  if (c1 < c0) {
    palette[2] = Opaque((2 * e0.red + e1.red + 1) / 3, (2 * e0.green + e1.green + 1) / 3,
                        (2 * e0.blue + e1.blue + 1) / 3);
    palette[3] = Opaque((e0.red + 2 * e1.red + 1) / 3, (e0.green + 2 * e1.green + 1) / 3,
                        (e0.blue + 2 * e1.blue + 1) / 3);
  } else {
    palette[2] = Opaque((e0.red + e1.red) / 2, (e0.green + e1.green) / 2, (e0.blue + e1.blue) / 2);
    palette[3] = 0;
  }
}

void BuildAlphaPalette(uint8_t a0, uint8_t a1, uint8_t palette[8]) {
  palette[0] = a0;
  palette[1] = a1;
  if (a1 < a0) {
    for (uint32_t j = 2; j <= 7; ++j) palette[j] = uint8_t(((8 - j) * a0 + (j - 1) * a1 + 3) / 7);
  } else {
    for (uint32_t j = 2; j <= 5; ++j) palette[j] = uint8_t(((6 - j) * a0 + (j - 1) * a1 + 2) / 5);
    palette[6] = 0;
    palette[7] = 255;
  }
}

}  // namespace quarn
