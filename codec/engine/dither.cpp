#include "codec/engine/dither.h"

#include "codec/engine/texture_format.h"

namespace quarn {

namespace {

// Which of the two round-up patterns a 4x4 tile uses, by tile row and column
// ((y / 4) mod 4, (x / 4) mod 4).
constexpr uint8_t kPhase[4][4] = {
    {1, 0, 0, 1},
    {1, 1, 0, 1},
    {1, 1, 0, 0},
    {0, 0, 0, 0},
};

// Round-up patterns for phase p and remainder r (1 to 7): four rows of four
// positions, y mod 4 = 0 to 3, each x mod 4 = 0 to 3. Exactly 2r positions of
// each pattern round up, so a constant remainder keeps its mean.
constexpr const char* kRoundUpRows[2][8] = {
    {nullptr, "1000000000100000", "1010000010100000", "1010010010100001", "1010010110100101",
     "1110010110110101", "1111010111110101", "1111110111110111"},
    {nullptr, "0010000010000000", "0000010100000101", "1010000110100100", "1010010110100101",
     "1011010111100101", "1010111110101111", "1111011111111101"},
};

constexpr uint32_t RoundsUp(int phase, uint32_t remainder, int32_t x, int32_t y) {
  return kRoundUpRows[phase][remainder][(y & 3) * 4 + (x & 3)] == '1' ? 1u : 0u;
}

enum class Step { Keep, Bits4, Bits5, Bits6 };

uint32_t Quantise(uint32_t c, Step step, int phase, int32_t x, int32_t y) {
  switch (step) {
    case Step::Bits5: {
      const uint32_t r = c & 7;
      uint32_t result = c & ~7u;
      if (r != 0 && c < 248) result += 8 * RoundsUp(phase, r, x, y);
      return result;
    }
    case Step::Bits6: {
      const uint32_t r = 2 * (c & 3);
      uint32_t result = c & ~3u;
      if (r != 0 && c < 252) result += 4 * RoundsUp(phase, r, x, y);
      return result;
    }
    case Step::Bits4: {
      const uint32_t r = (c / 2) % 8;
      uint32_t result = c & ~15u;
      if (r != 0 && c < 240) result += 16 * RoundsUp(phase, r, x, y);
      return result;
    }
    case Step::Keep:
      break;
  }
  return c;
}

}  // namespace

uint32_t DitherPixel(uint32_t pixel, int32_t format, int32_t x, int32_t y) {
  const int p0 = kPhase[(y / 4) & 3][(x / 4) & 3];
  const int p1 = 1 - p0;
  uint32_t blue = pixel & 0xFF;
  uint32_t green = (pixel >> 8) & 0xFF;
  uint32_t red = (pixel >> 16) & 0xFF;
  uint32_t alpha = pixel >> 24;

  if (IsBlockFormat(format) || format == Format565) {
    blue = Quantise(blue, Step::Bits5, p0, x, y);
    green = Quantise(green, Step::Bits6, p1, x, y);
    red = Quantise(red, Step::Bits5, p0, x, y);
    alpha = Quantise(alpha, Step::Bits5, p0, x, y);
  } else if (format == Format4444) {
    blue = Quantise(blue, Step::Bits4, p1, x, y);
    green = Quantise(green, Step::Bits4, p1, x, y);
    red = Quantise(red, Step::Bits4, p1, x, y);
  } else if (format == Format1555) {
    blue = Quantise(blue, Step::Bits5, p0, x, y);
    green = Quantise(green, Step::Bits5, p0, x, y);
    red = Quantise(red, Step::Bits5, p0, x, y);
    alpha &= 0x80;
  } else if (format == Format555) {
    blue = Quantise(blue, Step::Bits5, p0, x, y);
    green = Quantise(green, Step::Bits5, p1, x, y);
    red = Quantise(red, Step::Bits5, p0, x, y);
  } else {
    return pixel;
  }
  return blue | (green << 8) | (red << 16) | (alpha << 24);
}

}  // namespace quarn
