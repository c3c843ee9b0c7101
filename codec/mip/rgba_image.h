// The working image of the engine: one level of 32-bit pixels.
#ifndef QUARN_CODEC_MIP_RGBA_IMAGE_H
#define QUARN_CODEC_MIP_RGBA_IMAGE_H

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quarn {

// Packs four channel bytes into a working pixel, read as 0xAARRGGBB
// (in memory on a little-endian machine: blue, green, red, alpha).
constexpr uint32_t MakePixel(uint32_t blue, uint32_t green, uint32_t red, uint32_t alpha) {
  return blue | (green << 8) | (red << 16) | (alpha << 24);
}
constexpr uint32_t PixelBlue(uint32_t p) { return p & 0xFF; }
constexpr uint32_t PixelGreen(uint32_t p) { return (p >> 8) & 0xFF; }
constexpr uint32_t PixelRed(uint32_t p) { return (p >> 16) & 0xFF; }
constexpr uint32_t PixelAlpha(uint32_t p) { return p >> 24; }

// Pixels row after row from the top, `width` per row, no gaps. The storage
// always holds at least max(4, width) x max(4, height) pixels and is zeroed
// when the image is made, so a whole 4x4 block can be read from any image.
// `width` and `height` may shrink while the storage is reused.
class RgbaImage {
 public:
  // Makes a zero-filled image. When the storage cannot be allocated, prints
  // "Not enough memory" and ends the process with exit code 1.
  RgbaImage(int32_t width, int32_t height);

  int32_t width = 0;
  int32_t height = 0;

  uint32_t* pixels() { return storage_.get(); }
  const uint32_t* pixels() const { return storage_.get(); }
  size_t capacity() const { return capacity_; }

 private:
  std::unique_ptr<uint32_t[]> storage_;
  size_t capacity_ = 0;
};

}  // namespace quarn

#endif
