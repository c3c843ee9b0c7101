#include "codec/engine/pixel_pack.h"

#include "codec/engine/texture_format.h"

namespace quarn {

uint16_t PackPixel16(uint32_t p, int32_t format) {
  switch (format) {
    case Format4444:
      return static_cast<uint16_t>(((p >> 16) & 0xF000) | ((p >> 12) & 0x0F00) | ((p >> 8) & 0x00F0) |
                                   ((p >> 4) & 0x000F));
    case Format1555:
      return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F) |
                                   ((p >> 16) & 0x8000));
    case Format565:
      return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
    case Format555:
      return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
    default:
      return 0;
  }
}

std::vector<uint8_t> PackPixels(const RgbaImage& image, int32_t format) {
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  const uint32_t* pixels = image.pixels();
  std::vector<uint8_t> out(count * PixelBytes(format));
  uint8_t* o = out.data();
  switch (format) {
    case Format8888:
      for (size_t i = 0; i < count; ++i, o += 4) {
        const uint32_t p = pixels[i];
        o[0] = static_cast<uint8_t>(p);
        o[1] = static_cast<uint8_t>(p >> 8);
        o[2] = static_cast<uint8_t>(p >> 16);
        o[3] = static_cast<uint8_t>(p >> 24);
      }
      break;
    case Format888:
      for (size_t i = 0; i < count; ++i, o += 3) {
        const uint32_t p = pixels[i];
        o[0] = static_cast<uint8_t>(p);
        o[1] = static_cast<uint8_t>(p >> 8);
        o[2] = static_cast<uint8_t>(p >> 16);
      }
      break;
    default:
      for (size_t i = 0; i < count; ++i, o += 2) {
        const uint16_t word = PackPixel16(pixels[i], format);
        o[0] = static_cast<uint8_t>(word);
        o[1] = static_cast<uint8_t>(word >> 8);
      }
      break;
  }
  return out;
}

}  // namespace quarn
