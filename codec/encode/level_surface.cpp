#include "codec/encode/level_surface.h"

namespace quarn {

SurfaceDesc DescribeLevel(const RgbaImage& image, uint32_t alphaMask) {
  SurfaceDesc desc;
  desc.width = static_cast<uint32_t>(image.width);
  desc.height = static_cast<uint32_t>(image.height);
  desc.pitch = image.width * 4;
  // The walk only reads through the description.
  desc.surface = const_cast<uint32_t*>(image.pixels());
  desc.bitCount = 32;
  desc.redMask = 0x00FF0000u;
  desc.greenMask = 0x0000FF00u;
  desc.blueMask = 0x000000FFu;
  desc.alphaMask = alphaMask;
  return desc;
}

}  // namespace quarn
