// The DXT formats: 4 x 4 blocks, block rows from the top, blocks from the
// left; texels past the right or bottom edge are decoded but not stored.
#include <algorithm>
#include <cstddef>

#include "codec/decode/block_palettes.h"
#include "codec/decode/decode_surface.h"
#include "codec/engine/little_endian.h"
#include "codec/decode/source_format.h"

namespace quarn {
namespace {

// Explicit alpha: one 4-bit value per texel, four 16-bit rows. The scale is
// the float nearest 1/15 (slightly above it), which gives exactly 17 x n.
void DecodeExplicitAlpha(const uint8_t* block, uint8_t alpha[16]) {
  constexpr float kNibbleScale = 0.06666667f;
  for (int y = 0; y < 4; ++y) {
    const uint32_t row = LoadLE16(block + 2 * y);
    for (int x = 0; x < 4; ++x) {
      const float nibble = float((row >> (4 * x)) & 0xF);
      alpha[4 * y + x] = uint8_t(nibble * kNibbleScale * 255.0f);
    }
  }
}

// Interpolated alpha: two end points, then 3-bit codes for texels 0-7 in
// bytes 2-4 and texels 8-15 in bytes 5-7, lowest bits first.
void DecodeInterpolatedAlpha(const uint8_t* block, uint8_t alpha[16]) {
  uint8_t palette[8];
  BuildAlphaPalette(block[0], block[1], palette);
  for (int half = 0; half < 2; ++half) {
    const uint8_t* codes = block + 2 + 3 * half;
    const uint32_t bits = uint32_t(codes[0]) | uint32_t(codes[1]) << 8 | uint32_t(codes[2]) << 16;
    for (int t = 0; t < 8; ++t) alpha[8 * half + t] = palette[(bits >> (3 * t)) & 7];
  }
}

}  // namespace

void DecodeBlockSurface(const uint8_t* stored, uint32_t width, uint32_t height, uint8_t* pixels,
                        uint32_t formatCode) {
  const bool explicitAlpha = HasExplicitAlpha(formatCode);
  const bool interpolatedAlpha = HasInterpolatedAlpha(formatCode);
  const bool keepsOwnAlpha = explicitAlpha || interpolatedAlpha;
  const size_t pitch = size_t{width} * 4;
  // 64-bit block positions: a side near 2^32 cannot wrap the walk.
  for (uint64_t by = 0; by < height; by += 4) {
    const uint32_t rows = uint32_t(std::min<uint64_t>(4, height - by));
    for (uint64_t bx = 0; bx < width; bx += 4) {
      const uint32_t columns = uint32_t(std::min<uint64_t>(4, width - bx));
      uint8_t alpha[16] = {};
      if (explicitAlpha) {
        DecodeExplicitAlpha(stored, alpha);
        stored += 8;
      } else if (interpolatedAlpha) {
        DecodeInterpolatedAlpha(stored, alpha);
        stored += 8;
      }
      // The three-colour test applies to the colour half of every format.
      uint32_t palette[4];
      BuildColourPalette(LoadLE16(stored), LoadLE16(stored + 2), palette);
      for (uint32_t y = 0; y < rows; ++y) {
        const uint32_t indices = stored[4 + y];
        uint8_t* out = pixels + size_t(by + y) * pitch + size_t(bx) * 4;
        for (uint32_t x = 0; x < columns; ++x) {
          uint32_t pixel = palette[(indices >> (2 * x)) & 3];
          if (keepsOwnAlpha) pixel = (pixel & 0x00FFFFFFu) | uint32_t(alpha[4 * y + x]) << 24;
          StoreLE32(out + 4 * x, pixel);
        }
      }
      stored += 8;
    }
  }
}

}  // namespace quarn
