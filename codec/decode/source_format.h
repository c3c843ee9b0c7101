// The formats a stored DDS level can be in, as the reader classifies them:
// the conventional DDS format numbers for the uncompressed formats, the four-character
// code itself (first character in the lowest byte) for the block formats.
#ifndef QUARN_CODEC_DECODE_SOURCE_FORMAT_H
#define QUARN_CODEC_DECODE_SOURCE_FORMAT_H

#include <cstdint>

#include "codec/engine/little_endian.h"

namespace quarn {

enum SourceFormat : uint32_t {
  SourceR8G8B8 = 20,
  SourceA8R8G8B8 = 21,
  SourceR5G6B5 = 23,
  SourceX1R5G5B5 = 24,
  SourceA1R5G5B5 = 25,
  SourceA4R4G4B4 = 26,
  SourceDXT1 = FourCC('D', 'X', 'T', '1'),
  SourceDXT2 = FourCC('D', 'X', 'T', '2'),
  SourceDXT3 = FourCC('D', 'X', 'T', '3'),
  SourceDXT4 = FourCC('D', 'X', 'T', '4'),
  SourceDXT5 = FourCC('D', 'X', 'T', '5'),
};

constexpr bool IsBlockSource(uint32_t code) { return code >= SourceDXT1 && code <= SourceDXT5; }
constexpr bool HasExplicitAlpha(uint32_t code) { return code == SourceDXT2 || code == SourceDXT3; }
constexpr bool HasInterpolatedAlpha(uint32_t code) { return code == SourceDXT4 || code == SourceDXT5; }

// Bytes per stored pixel of an uncompressed source format; 0 for the block
// formats and unknown codes.
constexpr uint32_t SourcePixelBytes(uint32_t code) {
  switch (code) {
    case SourceR8G8B8:
      return 3;
    case SourceA8R8G8B8:
      return 4;
    case SourceR5G6B5:
    case SourceX1R5G5B5:
    case SourceA1R5G5B5:
    case SourceA4R4G4B4:
      return 2;
    default:
      return 0;
  }
}

// Byte size of one stored level of `width` x `height` pixels, in 64 bits so
// that sizes from a hostile header cannot wrap.
constexpr uint64_t SourceLevelBytes(uint32_t code, uint32_t width, uint32_t height) {
  if (IsBlockSource(code)) {
    const uint64_t blockBytes = code == SourceDXT1 ? 8 : 16;
    return blockBytes * ((uint64_t{width} + 3) / 4) * ((uint64_t{height} + 3) / 4);
  }
  return uint64_t{SourcePixelBytes(code)} * width * height;
}

}  // namespace quarn

#endif
