#include "codec/engine/compress_image.h"

#include <cstdint>

#include "codec/engine/compress_levels.h"
#include "codec/engine/float_environment.h"
#include "codec/engine/texture_format.h"

namespace quarn {

namespace {

constexpr bool IsPowerOfTwo(int32_t side) { return side > 0 && (side & (side - 1)) == 0; }

// Sizes and formats the engine can encode: a known format, sides from 1 to
// 32767 (powers of two for the block formats), and a first level whose byte
// count fits a signed 32-bit count.
bool AcceptsGeometry(int32_t format, int32_t width, int32_t height) {
  if (!IsKnownFormat(format)) return false;
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
  if (IsBlockFormat(format) && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))) return false;
  return LevelByteSize(format, static_cast<uint32_t>(width), static_cast<uint32_t>(height)) <= INT32_MAX;
}

}  // namespace

int32_t CompressImage(const uint8_t* pixels, int32_t width, int32_t height, int32_t rowBytes,
                      const EncodeSettings& settings, int32_t planes, const LevelCallback& callback,
                      ByteSink* output) {
  if (pixels == nullptr) return CompressNullImage;
  if (planes != 3 && planes != 4) return CompressBadPlanes;
  if (!AcceptsGeometry(settings.format, width, height)) return CompressBadSize;

  EncodeContext context;
  context.settings = settings;
  context.surface.width = static_cast<int16_t>(width);
  context.surface.height = static_cast<int16_t>(height);
  context.surface.planes = static_cast<int16_t>(planes);
  context.surface.pixels = pixels;
  context.surface.rowBytes = rowBytes;
  context.output = output;
  const DefaultFloatEnvironment floatEnvironment;
  CompressLevels(context, settings.format, callback);
  return CompressDone;
}

}  // namespace quarn
