// Every mip level of one base image, each level a 2x2 box filter of the one
// before, computed on the bytes directly.
#ifndef QUARN_CODEC_MIP_MIP_CHAIN_H
#define QUARN_CODEC_MIP_MIP_CHAIN_H

#include <cstdint>
#include <memory>
#include <vector>

#include "codec/mip/rgba_image.h"

namespace quarn {

struct MipLevel {
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* pixels = nullptr;  // width x height working pixels
};

class MipChain {
 public:
  // Builds all levels of `base` (at its width and height) down to 1 x 1.
  // Level 0 refers to the base image's pixels, which must outlive the chain
  // and stay unchanged until level 1 has been read; the smaller levels are
  // owned by the chain.
  explicit MipChain(const RgbaImage& base);

  int32_t levelCount() const { return static_cast<int32_t>(levels_.size()); }
  const MipLevel& level(int32_t k) const { return levels_[static_cast<size_t>(k)]; }

 private:
  std::vector<MipLevel> levels_;
  std::unique_ptr<uint32_t[]> storage_;  // levels 1 and up, one after another
};

// One pixel of a box-filtered level: per channel the truncated mean of four
// source pixels.
constexpr uint32_t AverageFourPixels(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  // Blue and red, then green and alpha, summed two channels at a time in
  // 16-bit lanes (each lane sum is at most 4 x 255, so lanes never carry).
  const uint32_t evenSum = (a & 0x00FF00FF) + (b & 0x00FF00FF) + (c & 0x00FF00FF) + (d & 0x00FF00FF);
  const uint32_t oddSum = ((a >> 8) & 0x00FF00FF) + ((b >> 8) & 0x00FF00FF) + ((c >> 8) & 0x00FF00FF) +
                          ((d >> 8) & 0x00FF00FF);
  return ((evenSum >> 2) & 0x00FF00FF) | (((oddSum >> 2) & 0x00FF00FF) << 8);
}

// Writes the box-filtered reduction of `source` (w x h) into `target`
// ((w+1)/2 x (h+1)/2); a missing last column or row repeats the last one.
// `target` may equal `source`: each write lands on a pixel already read.
void BoxFilterLevel(const uint32_t* source, int32_t width, int32_t height, uint32_t* target);

}  // namespace quarn

#endif
