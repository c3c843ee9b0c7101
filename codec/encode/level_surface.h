// The surface description of a working image, as the block walk reads it.
#ifndef QUARN_CODEC_ENCODE_LEVEL_SURFACE_H
#define QUARN_CODEC_ENCODE_LEVEL_SURFACE_H

#include <cstdint>

#include "codec/encode/surface_desc.h"
#include "codec/mip/rgba_image.h"

namespace quarn {

// Describes a working image as a surface of 32-bit texels 0xAARRGGBB, with
// `alphaMask` 0 when its alpha is to be ignored.
SurfaceDesc DescribeLevel(const RgbaImage& image, uint32_t alphaMask);

}  // namespace quarn

#endif
