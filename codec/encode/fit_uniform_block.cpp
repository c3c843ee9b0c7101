// Blocks whose texels are all nearly one colour: the vector quantizer picks
// two representative colours (or one), which become the end points.
#include <cmath>

#include "codec/encode/endpoint_refinement.h"
#include "codec/vq/vector_quantizer.h"

namespace quarn {
namespace {

// A channel value in 0.0-1.0 rounded to a byte (held to 0-255).
uint8_t ToByte(double value) {
  const double rounded = std::floor(value * 255.0 + 0.5);
  if (!(rounded >= 0.0)) return 0;
  return rounded > 255.0 ? 255 : static_cast<uint8_t>(rounded);
}

}  // namespace

void FitUniformBlock(ColourBlockFit& fit) {
  // Only the block's own texels, as an image `count` wide and one high: the
  // rows beyond `count` belong to no texel of this block.
  const int32_t n = fit.count;
  uint8_t bytes[16 * 3];
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t ch = 0; ch < 3; ++ch) bytes[3 * i + ch] = ToByte(fit.texel[i][ch]);
  }
  VectorQuantizer quantizer;
  const int32_t codes = quantizer.Quantize(n, 1, bytes, 3 * n, 1, 1, 3, 2);
  const int32_t* e0 = quantizer.CodeVector(0);
  const int32_t* e1 = codes > 1 ? quantizer.CodeVector(1) : e0;

  static constexpr int32_t kShift[3] = {3, 2, 3};
  for (int32_t ch = 0; ch < 3; ++ch) {
    fit.end[0][ch] = e0[ch] >> kShift[ch];
    fit.end[1][ch] = e1[ch] >> kShift[ch];
  }
  fit.mode = fit.colours;

  // The palette on the unquantised codewords.
  const int32_t entries = fit.mode == 4 ? 4 : 3;
  int32_t palette[4][3];
  for (int32_t ch = 0; ch < 3; ++ch) {
    palette[0][ch] = e0[ch];
    palette[1][ch] = e1[ch];
    if (entries == 4) {
      palette[2][ch] = (2 * e0[ch]) / 3 + e1[ch] / 3;
      palette[3][ch] = (2 * e1[ch]) / 3 + e0[ch] / 3;
    } else {
      palette[2][ch] = (e0[ch] + e1[ch]) / 2;
    }
  }
  for (int32_t i = 0; i < n; ++i) {
    double best = 0.0;
    int32_t bestEntry = 0;
    for (int32_t k = 0; k < entries; ++k) {
      double distance = 0.0;
      for (int32_t ch = 0; ch < 3; ++ch) {
        const int32_t d = static_cast<int32_t>(bytes[3 * i + ch]) - palette[k][ch];
        distance += static_cast<double>(d * d);
      }
      if (k == 0 || distance < best) {
        best = distance;
        bestEntry = k;
      }
    }
    fit.index[i] = bestEntry;
  }
}

}  // namespace quarn
