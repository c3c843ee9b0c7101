// Decoding of one stored level (DXT blocks or an uncompressed pixel format)
// into 32-bit pixels.
#ifndef QUARN_CODEC_DECODE_DECODE_SURFACE_H
#define QUARN_CODEC_DECODE_DECODE_SURFACE_H

#include <cstdint>

#include "codec/encode/surface_desc.h"

namespace quarn {

// Decodes the level that `source` describes (its width, height and stored
// bytes in `surface`, which must hold the whole level: SourceLevelBytes) in
// the source format `formatCode` (SourceFormat) into `pixels`: width x height
// words 0xAARRGGBB (bytes blue, green, red, alpha), rows width x 4 bytes
// apart. `output` is set to describe that result. An unknown code leaves the
// pixels as they are. Re-entrant; no allocation.
void DecodeSurface(const SurfaceDesc& source, SurfaceDesc& output, uint8_t* pixels, uint32_t formatCode);

// The two halves, for formats known to be of their kind.
void DecodePixelSurface(const uint8_t* stored, uint32_t width, uint32_t height, uint8_t* pixels,
                        uint32_t formatCode);
void DecodeBlockSurface(const uint8_t* stored, uint32_t width, uint32_t height, uint8_t* pixels,
                        uint32_t formatCode);

}  // namespace quarn

#endif
