#include "support/dxt1_block_decode.h"

#include "codec/engine/little_endian.h"

namespace quarn {

DecodedTexel Expand565(uint32_t packed) {
  const uint32_t r = (packed >> 11) & 31, g = (packed >> 5) & 63, b = packed & 31;
  DecodedTexel texel;
  texel.red = static_cast<uint8_t>((r << 3) | (r >> 2));
  texel.green = static_cast<uint8_t>((g << 2) | (g >> 4));
  texel.blue = static_cast<uint8_t>((b << 3) | (b >> 2));
  return texel;
}

std::array<DecodedTexel, 16> DecodeDxt1Block(const uint8_t* block) {
  const uint32_t c0 = LoadLE16(block), c1 = LoadLE16(block + 2);
  const DecodedTexel a = Expand565(c0), b = Expand565(c1);
  auto mix = [](uint8_t x, uint8_t y, int wx, int wy, int divisor, int bias) {
    return static_cast<uint8_t>((wx * x + wy * y + bias) / divisor);
  };
  DecodedTexel palette[4] = {a, b, {}, {}};
  if (c0 > c1) {
    palette[2] = {mix(a.blue, b.blue, 2, 1, 3, 1), mix(a.green, b.green, 2, 1, 3, 1), mix(a.red, b.red, 2, 1, 3, 1)};
    palette[3] = {mix(a.blue, b.blue, 1, 2, 3, 1), mix(a.green, b.green, 1, 2, 3, 1), mix(a.red, b.red, 1, 2, 3, 1)};
  } else {
    palette[2] = {mix(a.blue, b.blue, 1, 1, 2, 0), mix(a.green, b.green, 1, 1, 2, 0), mix(a.red, b.red, 1, 1, 2, 0)};
    palette[3].transparent = true;
  }
  std::array<DecodedTexel, 16> texels;
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 4; ++i) texels[static_cast<size_t>(row * 4 + i)] = palette[(block[4 + row] >> (2 * i)) & 3];
  }
  return texels;
}

}  // namespace quarn
