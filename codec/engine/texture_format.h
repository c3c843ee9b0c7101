// Output format codes and the byte size of one level in each format.
#ifndef QUARN_CODEC_ENGINE_TEXTURE_FORMAT_H
#define QUARN_CODEC_ENGINE_TEXTURE_FORMAT_H

#include <cstdint>

namespace quarn {

enum TextureFormat : int16_t {
  FormatDXT1 = 10,   // 4x4 blocks, 8 bytes, opaque
  FormatDXT1a = 11,  // 4x4 blocks, 8 bytes, one-bit alpha
  FormatDXT3 = 12,   // 4x4 blocks, 16 bytes, explicit 4-bit alpha
  FormatDXT5 = 13,   // 4x4 blocks, 16 bytes, interpolated alpha
  Format4444 = 14,
  Format1555 = 15,
  Format565 = 16,
  Format8888 = 17,
  Format888 = 18,
  Format555 = 19,
};

constexpr bool IsKnownFormat(int32_t format) { return format >= FormatDXT1 && format <= Format555; }
constexpr bool IsBlockFormat(int32_t format) { return format >= FormatDXT1 && format <= FormatDXT5; }
constexpr bool IsPixelFormat(int32_t format) { return format >= Format4444 && format <= Format555; }

// Bytes per 4x4 block (block formats) or per pixel (pixel formats); 0 for
// codes outside 10 to 19.
constexpr uint32_t BlockBytes(int32_t format) {
  return (format == FormatDXT1 || format == FormatDXT1a) ? 8u
         : (format == FormatDXT3 || format == FormatDXT5) ? 16u
                                                           : 0u;
}
constexpr uint32_t PixelBytes(int32_t format) {
  switch (format) {
    case Format4444:
    case Format1555:
    case Format565:
    case Format555:
      return 2;
    case Format8888:
      return 4;
    case Format888:
      return 3;
    default:
      return 0;
  }
}

// Byte size of one level of `width` x `height` pixels: whole 4x4 blocks for
// the block formats, width x height x bytes per pixel for the pixel formats.
// Computed in 64 bits so that callers can tell when a size does not fit.
constexpr uint64_t LevelByteSize(int32_t format, uint32_t width, uint32_t height) {
  return IsBlockFormat(format)
             ? uint64_t{BlockBytes(format)} * ((uint64_t{width} + 3) / 4) * ((uint64_t{height} + 3) / 4)
             : uint64_t{PixelBytes(format)} * width * height;
}

// Side of the next smaller mip level: halved, rounding up.
constexpr int32_t NextLevelSide(int32_t side) { return (side + 1) / 2; }

}  // namespace quarn

#endif
