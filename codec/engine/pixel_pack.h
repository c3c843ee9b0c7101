// Packing a level into one of the six pixel formats.
#ifndef QUARN_CODEC_ENGINE_PIXEL_PACK_H
#define QUARN_CODEC_ENGINE_PIXEL_PACK_H

#include <cstdint>
#include <vector>

#include "codec/mip/rgba_image.h"

namespace quarn {

// One working pixel as the 16-bit word of formats 14, 15, 16 and 19; each
// channel truncated to its top bits.
uint16_t PackPixel16(uint32_t pixel, int32_t format);

// The level's pixels in `format` (14 to 19): rows from the top, each left to
// right, no gaps; 16-bit words little-endian.
std::vector<uint8_t> PackPixels(const RgbaImage& image, int32_t format);

}  // namespace quarn

#endif
