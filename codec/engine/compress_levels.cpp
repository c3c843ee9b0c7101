#include "codec/engine/compress_levels.h"

#include <cstring>

#include "codec/encode/block_encoder.h"
#include "codec/engine/dds_header.h"
#include "codec/engine/dither.h"
#include "codec/engine/pixel_pack.h"
#include "codec/engine/texture_format.h"
#include "codec/mip/mip_chain.h"

namespace quarn {

namespace {

constexpr uint32_t OneBitAlpha(uint32_t pixel) {
  return (pixel & 0x00FFFFFFu) | (PixelAlpha(pixel) < 127 ? 0u : 0xFF000000u);
}

}  // namespace

void LoadBaseLevel(const EncodeContext& context, RgbaImage& level) {
  const SurfaceInfo& source = context.surface;
  const EncodeSettings& settings = context.settings;
  const bool sourceHasAlpha = source.planes == 4;
  const size_t planes = static_cast<size_t>(source.planes);
  uint32_t* out = level.pixels();
  for (int32_t y = 0; y < level.height; ++y) {
    const uint8_t* in = source.pixels + static_cast<ptrdiff_t>(y) * source.rowBytes;
    for (int32_t x = 0; x < level.width; ++x, in += planes) {
      uint32_t pixel = MakePixel(in[0], in[1], in[2], sourceHasAlpha ? in[3] : 255u);
      if (settings.dither) pixel = DitherPixel(pixel, settings.format, x, y);
      if (settings.oneBitAlpha) pixel = OneBitAlpha(pixel);
      *out++ = pixel;
    }
  }
}

void HalveLevelInPlace(RgbaImage& level, bool oneBitAlpha) {
  BoxFilterLevel(level.pixels(), level.width, level.height, level.pixels());
  level.width = NextLevelSide(level.width);
  level.height = NextLevelSide(level.height);
  if (oneBitAlpha) {
    uint32_t* pixels = level.pixels();
    const size_t count = static_cast<size_t>(level.width) * static_cast<size_t>(level.height);
    for (size_t i = 0; i < count; ++i) pixels[i] = OneBitAlpha(pixels[i]);
  }
}

std::vector<uint8_t> EncodeLevel(const RgbaImage& level, int32_t format) {
  switch (format) {
    case FormatDXT1:
      return EncodeDXT1(level);
    case FormatDXT1a:
      return EncodeDXT1a(level);
    case FormatDXT3:
      return EncodeDXT3(level);
    case FormatDXT5:
      return EncodeDXT5(level);
    default:
      return PackPixels(level, format);
  }
}

void CompressLevels(EncodeContext& context, int32_t format, const LevelCallback& callback) {
  const int32_t width = context.surface.width;
  const int32_t height = context.surface.height;
  if (!callback) {
    WriteDdsHeader(context, static_cast<uint32_t>(width), static_cast<uint32_t>(height), format,
                   static_cast<uint32_t>(LevelByteSize(format, static_cast<uint32_t>(width),
                                                       static_cast<uint32_t>(height))));
  }

  RgbaImage level(width, height);
  LoadBaseLevel(context, level);
  const MipChain chain(level);

  for (int32_t levelNumber = 0;; ++levelNumber) {
    const std::vector<uint8_t> bytes = EncodeLevel(level, format);
    if (callback) {
      callback(bytes.data(), levelNumber, static_cast<int32_t>(bytes.size()));
    } else {
      WriteOutput(context, bytes.size(), bytes.data());
    }
    if (level.width <= 1 && level.height <= 1) break;

    // The chain serves while both sides exceed 2; the last levels come from
    // reducing the level just emitted, which also applies the one-bit alpha
    // cut again.
    if (level.width <= 2 || level.height <= 2) {
      HalveLevelInPlace(level, context.settings.oneBitAlpha != 0);
    } else {
      const MipLevel& next = chain.level(levelNumber + 1);
      std::memcpy(level.pixels(), next.pixels,
                  static_cast<size_t>(next.width) * static_cast<size_t>(next.height) * sizeof(uint32_t));
      level.width = next.width;
      level.height = next.height;
    }
  }
}

}  // namespace quarn
