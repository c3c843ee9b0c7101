// The compression engine's single entry.
#ifndef QUARN_CODEC_ENGINE_COMPRESS_IMAGE_H
#define QUARN_CODEC_ENGINE_COMPRESS_IMAGE_H

#include <cstdint>

#include "codec/engine/encode_settings.h"

namespace quarn {

enum CompressStatus : int32_t {
  CompressDone = 0,
  CompressNullImage = -1,
  CompressBadPlanes = -2,
  CompressBadSize = -3,  // also: unknown format, sides out of range, level too large
  CompressFailed = -4,   // an exception ended the run (reported by the export layer only)
};

// Largest side the engine takes (its surface description is 16-bit signed).
constexpr int32_t kMaxImageSide = 32767;

// Encodes `pixels` (rows `rowBytes` apart, `planes` bytes per pixel: blue,
// green, red[, alpha]) into the whole mip chain of `settings.format`.
// With a callback every level goes to it; without one a complete DDS file
// (magic, header, every level) is written to `output` (nothing when null).
// Re-entrant: all working storage belongs to the call.
int32_t CompressImage(const uint8_t* pixels, int32_t width, int32_t height, int32_t rowBytes,
                      const EncodeSettings& settings, int32_t planes, const LevelCallback& callback,
                      ByteSink* output);

}  // namespace quarn

#endif
