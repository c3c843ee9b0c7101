#include "picture_difference.h"

#include <cmath>
#include <limits>

namespace quarn::cli {

namespace {

ChannelDifference FromSquaredError(const std::string& name, double squaredError, double samples) {
  ChannelDifference difference;
  difference.name = name;
  const double mse = samples > 0 ? squaredError / samples : 0.0;
  difference.rmse = std::sqrt(mse);
  difference.psnr = mse > 0 ? 10.0 * std::log10(255.0 * 255.0 / mse) : std::numeric_limits<double>::infinity();
  return difference;
}

// Whether any pixel is less than fully opaque: an alpha channel that is 255
// everywhere says nothing, and would only dilute the overall figure.
bool HasTransparency(const Picture& picture) {
  for (size_t i = 3; i < picture.bgra.size(); i += 4) {
    if (picture.bgra[i] != 255) return true;
  }
  return false;
}

}  // namespace

std::vector<ChannelDifference> PictureDifference(const Picture& a, const Picture& b) {
  // Byte offsets of red, green, blue and alpha in a blue-green-red-alpha pixel.
  const int offsets[4] = {2, 1, 0, 3};
  const char* names[4] = {"red", "green", "blue", "alpha"};
  const int channels = (HasTransparency(a) || HasTransparency(b)) ? 4 : 3;
  double squared[4] = {0, 0, 0, 0};
  for (size_t i = 0; i + 3 < a.bgra.size() && i + 3 < b.bgra.size(); i += 4) {
    for (int c = 0; c < channels; ++c) {
      const double d = static_cast<double>(a.bgra[i + offsets[c]]) - static_cast<double>(b.bgra[i + offsets[c]]);
      squared[c] += d * d;
    }
  }
  const double pixels = static_cast<double>(a.width) * static_cast<double>(a.height);
  std::vector<ChannelDifference> result;
  double total = 0;
  for (int c = 0; c < channels; ++c) {
    result.push_back(FromSquaredError(names[c], squared[c], pixels));
    total += squared[c];
  }
  result.push_back(FromSquaredError("overall", total, pixels * channels));
  return result;
}

}  // namespace quarn::cli
