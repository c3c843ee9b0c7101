// Quality figures of a decoded image against its source.
#ifndef QUARN_TESTS_SUPPORT_IMAGE_QUALITY_H
#define QUARN_TESTS_SUPPORT_IMAGE_QUALITY_H

#include <cstddef>
#include <cstdint>

namespace quarn::test {

struct RgbPsnr {
  double plain = 0.0;     // over red, green and blue alike
  double weighted = 0.0;  // each channel's squared error times the encoder's channel weight
  size_t texels = 0;      // texels that took part
};

// PSNR in dB of the red, green and blue of `decoded` against `source`
// (pixels 0xAARRGGBB, `count` of each). With `opaqueOnly`, only texels whose
// source alpha is above 128 take part (the others are transparent in a
// one-bit alpha encoding). Identical images give infinity.
RgbPsnr MeasureRgbPsnr(const uint32_t* source, const uint32_t* decoded, size_t count, bool opaqueOnly);

// PSNR in dB of the alpha channel.
double MeasureAlphaPsnr(const uint32_t* source, const uint32_t* decoded, size_t count);

}  // namespace quarn::test

#endif
