#include "support/dxt_test_decoder.h"

namespace quarn::test {

namespace {

uint32_t Pixel(uint32_t b, uint32_t g, uint32_t r, uint32_t a) { return b | (g << 8) | (r << 16) | (a << 24); }

// Colour palette of a colour block: bit-replicated end points, thirds or a
// midpoint between them (integer arithmetic as the encoder's quantiser
// assumes), entry 3 transparent black in three-colour blocks.
void ColourPalette(uint32_t c0, uint32_t c1, uint32_t palette[4]) {
  uint32_t ch[2][3];
  const uint32_t c[2] = {c0, c1};
  for (int32_t e = 0; e < 2; ++e) {
    const uint32_t r = (c[e] >> 11) & 31, g = (c[e] >> 5) & 63, b = c[e] & 31;
    ch[e][0] = (r << 3) | (r >> 2);
    ch[e][1] = (g << 2) | (g >> 4);
    ch[e][2] = (b << 3) | (b >> 2);
  }
  palette[0] = Pixel(ch[0][2], ch[0][1], ch[0][0], 255);
  palette[1] = Pixel(ch[1][2], ch[1][1], ch[1][0], 255);
  uint32_t p2[3], p3[3];
  if (c0 > c1) {
    for (int32_t i = 0; i < 3; ++i) {
      p2[i] = (2 * ch[0][i] + ch[1][i] + 1) / 3;
      p3[i] = (ch[0][i] + 2 * ch[1][i] + 1) / 3;
    }
    palette[2] = Pixel(p2[2], p2[1], p2[0], 255);
    palette[3] = Pixel(p3[2], p3[1], p3[0], 255);
  } else {
    for (int32_t i = 0; i < 3; ++i) p2[i] = (ch[0][i] + ch[1][i]) / 2;
    palette[2] = Pixel(p2[2], p2[1], p2[0], 255);
    palette[3] = 0;
  }
}

void AlphaPalette(uint32_t a0, uint32_t a1, uint32_t palette[8]) {
  palette[0] = a0;
  palette[1] = a1;
  if (a0 > a1) {
    for (uint32_t j = 2; j < 8; ++j) palette[j] = ((8 - j) * a0 + (j - 1) * a1 + 3) / 7;
  } else {
    for (uint32_t j = 2; j < 6; ++j) palette[j] = ((6 - j) * a0 + (j - 1) * a1 + 2) / 5;
    palette[6] = 0;
    palette[7] = 255;
  }
}

}  // namespace

int32_t DxtBlockBytes(DxtKind kind) { return kind == DxtKind::DXT1 ? 8 : 16; }

std::vector<uint32_t> DecodeDxt(DxtKind kind, const uint8_t* blocks, int32_t width, int32_t height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  const uint8_t* p = blocks;
  for (int32_t by = 0; by < height; by += 4) {
    for (int32_t bx = 0; bx < width; bx += 4) {
      uint32_t alpha[16];
      bool ownAlpha = kind != DxtKind::DXT1;
      if (kind == DxtKind::DXT3) {
        for (int32_t k = 0; k < 16; ++k) alpha[k] = ((p[k / 2] >> (4 * (k & 1))) & 15) * 17;
        p += 8;
      } else if (kind == DxtKind::DXT5) {
        uint32_t palette[8];
        AlphaPalette(p[0], p[1], palette);
        uint64_t bits = 0;
        for (int32_t i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(p[2 + i]) << (8 * i);
        for (int32_t k = 0; k < 16; ++k) alpha[k] = palette[(bits >> (3 * k)) & 7];
        p += 8;
      }
      uint32_t palette[4];
      ColourPalette(p[0] | (p[1] << 8), p[2] | (p[3] << 8), palette);
      const uint32_t word = p[4] | (p[5] << 8) | (p[6] << 16) | (static_cast<uint32_t>(p[7]) << 24);
      p += 8;
      for (int32_t k = 0; k < 16; ++k) {
        const int32_t x = bx + (k & 3), y = by + (k >> 2);
        if (x >= width || y >= height) continue;
        uint32_t pixel = palette[(word >> (2 * k)) & 3];
        if (ownAlpha) pixel = (pixel & 0x00FFFFFFu) | (alpha[k] << 24);
        pixels[static_cast<size_t>(y) * width + x] = pixel;
      }
    }
  }
  return pixels;
}

}  // namespace quarn::test
