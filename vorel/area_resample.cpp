#include "area_resample.h"

#include <algorithm>

namespace vorel {

namespace {

struct Tap {
  int32_t source;   // source pixel index along the axis
  uint64_t weight;  // its overlap with the destination pixel
};

// For each destination pixel along one axis, the source pixels it covers
// and by how much. Lengths are measured in units of 1 / (sourceSide x
// destinationSide) of the axis: a source pixel spans destinationSide units,
// a destination pixel sourceSide units, so the weights of one destination
// pixel add up to sourceSide.
std::vector<std::vector<Tap>> AxisTaps(int32_t sourceSide, int32_t destinationSide) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(destinationSide));
  const uint64_t s = static_cast<uint64_t>(sourceSide);
  const uint64_t d = static_cast<uint64_t>(destinationSide);
  for (uint64_t i = 0; i < d; ++i) {
    const uint64_t begin = i * s;
    const uint64_t end = begin + s;
    for (uint64_t j = begin / d; j * d < end; ++j) {
      const uint64_t overlap = std::min(end, (j + 1) * d) - std::max(begin, j * d);
      taps[i].push_back({static_cast<int32_t>(j), overlap});
    }
  }
  return taps;
}

}  // namespace

Picture ResampleByArea(const Picture& source, int32_t newWidth, int32_t newHeight) {
  const size_t channels = static_cast<size_t>(source.channels);
  const size_t sourceWidth = static_cast<size_t>(source.width);
  const size_t destinationWidth = static_cast<size_t>(newWidth);
  const auto columnTaps = AxisTaps(source.width, newWidth);
  const auto rowTaps = AxisTaps(source.height, newHeight);

  // Across first: each source row reduced to the new width (sums, not yet
  // divided), then down.
  std::vector<uint64_t> across(static_cast<size_t>(source.height) * destinationWidth * channels);
  for (size_t y = 0; y < static_cast<size_t>(source.height); ++y) {
    const uint8_t* row = source.pixels.data() + y * sourceWidth * channels;
    uint64_t* out = across.data() + y * destinationWidth * channels;
    for (size_t x = 0; x < destinationWidth; ++x) {
      for (const Tap& tap : columnTaps[x]) {
        const uint8_t* pixel = row + static_cast<size_t>(tap.source) * channels;
        for (size_t c = 0; c < channels; ++c) out[x * channels + c] += tap.weight * pixel[c];
      }
    }
  }

  Picture result;
  result.width = newWidth;
  result.height = newHeight;
  result.channels = source.channels;
  result.pixels.resize(static_cast<size_t>(newHeight) * destinationWidth * channels);
  const uint64_t area = static_cast<uint64_t>(source.width) * static_cast<uint64_t>(source.height);
  std::vector<uint64_t> sums(destinationWidth * channels);
  for (size_t y = 0; y < static_cast<size_t>(newHeight); ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (const Tap& tap : rowTaps[y]) {
      const uint64_t* row = across.data() + static_cast<size_t>(tap.source) * destinationWidth * channels;
      for (size_t i = 0; i < sums.size(); ++i) sums[i] += tap.weight * row[i];
    }
    uint8_t* out = result.pixels.data() + y * destinationWidth * channels;
    for (size_t i = 0; i < sums.size(); ++i) out[i] = static_cast<uint8_t>((sums[i] + area / 2) / area);
  }
  return result;
}

}  // namespace vorel
