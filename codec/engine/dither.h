// Ordered dither of one working pixel to the precision of a target format.
#ifndef QUARN_CODEC_ENGINE_DITHER_H
#define QUARN_CODEC_ENGINE_DITHER_H

#include <cstdint>

namespace quarn {

// Rounds each channel of `pixel` (0xAARRGGBB) down or up to the precision of
// `format`, choosing by position so that the mean over an area keeps the
// input value. Block formats are dithered as 5:6:5 colour. Formats 17 and 18
// (and unknown codes) return the pixel unchanged.
uint32_t DitherPixel(uint32_t pixel, int32_t format, int32_t x, int32_t y);

}  // namespace quarn

#endif
