#include "support/image_quality.h"

#include <cmath>
#include <limits>

#include "codec/encode/colour_block_fit.h"

namespace quarn::test {

namespace {

double PsnrOf(double meanSquaredError) {
  if (meanSquaredError == 0.0) return std::numeric_limits<double>::infinity();
  return 10.0 * std::log10(255.0 * 255.0 / meanSquaredError);
}

double Channel(uint32_t pixel, int32_t shift) { return static_cast<double>((pixel >> shift) & 0xFF); }

}  // namespace

RgbPsnr MeasureRgbPsnr(const uint32_t* source, const uint32_t* decoded, size_t count, bool opaqueOnly) {
  // Red, green, blue at bits 16, 8, 0.
  const int32_t shifts[3] = {16, 8, 0};
  const double weightSum = static_cast<double>(kColourWeights[0]) + static_cast<double>(kColourWeights[1]) +
                           static_cast<double>(kColourWeights[2]);
  double plain = 0.0;
  double weighted = 0.0;
  RgbPsnr result;
  for (size_t i = 0; i < count; ++i) {
    if (opaqueOnly && (source[i] >> 24) <= 128) continue;
    ++result.texels;
    for (int32_t c = 0; c < 3; ++c) {
      const double d = Channel(source[i], shifts[c]) - Channel(decoded[i], shifts[c]);
      plain += d * d;
      weighted += static_cast<double>(kColourWeights[c]) * d * d;
    }
  }
  if (result.texels == 0) return result;
  const double n = static_cast<double>(result.texels);
  result.plain = PsnrOf(plain / (3.0 * n));
  result.weighted = PsnrOf(weighted / (weightSum * n));
  return result;
}

double MeasureAlphaPsnr(const uint32_t* source, const uint32_t* decoded, size_t count) {
  double sum = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double d = Channel(source[i], 24) - Channel(decoded[i], 24);
    sum += d * d;
  }
  return count == 0 ? 0.0 : PsnrOf(sum / static_cast<double>(count));
}

}  // namespace quarn::test
