// The uncompressed source formats, pixel by pixel in stored order.
#include <cstddef>

#include "codec/decode/decode_surface.h"
#include "codec/engine/little_endian.h"
#include "codec/decode/source_format.h"

namespace quarn {
namespace {

// Pixel fields widen by shifting up and, when the field is odd, filling the
// new low bits with ones: 5-bit 16 gives 128, 17 gives 143, 31 gives 255.
constexpr uint32_t WidenField(uint32_t value, uint32_t bits) {
  const uint32_t shift = 8 - bits;
  return (value << shift) | ((value & 1) ? (1u << shift) - 1 : 0);
}

constexpr uint32_t Pixel(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue) {
  return alpha << 24 | red << 16 | green << 8 | blue;
}

uint32_t DecodePixel(const uint8_t* p, uint32_t formatCode) {
  switch (formatCode) {
    case SourceR8G8B8:
      return Pixel(255, p[2], p[1], p[0]);
    case SourceA8R8G8B8:
      return LoadLE32(p);
    default:
      break;
  }
  const uint32_t v = LoadLE16(p);
  switch (formatCode) {
    case SourceR5G6B5:
      return Pixel(255, WidenField(v >> 11, 5), WidenField((v >> 5) & 0x3F, 6), WidenField(v & 0x1F, 5));
    case SourceX1R5G5B5:
      return Pixel(0, WidenField((v >> 10) & 0x1F, 5), WidenField((v >> 5) & 0x1F, 5), WidenField(v & 0x1F, 5));
    case SourceA1R5G5B5:
      return Pixel((v & 0x8000) ? 255 : 0, WidenField((v >> 10) & 0x1F, 5), WidenField((v >> 5) & 0x1F, 5),
                   WidenField(v & 0x1F, 5));
    default:  // SourceA4R4G4B4
      return Pixel(WidenField(v >> 12, 4), WidenField((v >> 8) & 0xF, 4), WidenField((v >> 4) & 0xF, 4),
                   WidenField(v & 0xF, 4));
  }
}

}  // namespace

void DecodePixelSurface(const uint8_t* stored, uint32_t width, uint32_t height, uint8_t* pixels,
                        uint32_t formatCode) {
  const size_t count = size_t{width} * height;
  const uint32_t storedBytes = SourcePixelBytes(formatCode);
  for (size_t i = 0; i < count; ++i) StoreLE32(pixels + i * 4, DecodePixel(stored + i * storedBytes, formatCode));
}

}  // namespace quarn
