#include "support/test_images.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace quarn {

std::vector<uint8_t> SolidImage(int32_t width, int32_t height, int32_t planes, uint8_t blue, uint8_t green,
                                uint8_t red, uint8_t alpha) {
  std::vector<uint8_t> image(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes));
  for (size_t i = 0; i < image.size(); i += static_cast<size_t>(planes)) {
    image[i] = blue;
    image[i + 1] = green;
    image[i + 2] = red;
    if (planes == 4) image[i + 3] = alpha;
  }
  return image;
}

std::vector<uint8_t> GradientImage(int32_t width, int32_t height, int32_t planes) {
  std::vector<uint8_t> image(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes));
  size_t i = 0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      image[i++] = static_cast<uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
      image[i++] = static_cast<uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
      image[i++] = static_cast<uint8_t>((x + y) * 255 / (width + height));
      if (planes == 4) image[i++] = static_cast<uint8_t>(255 - (x * 3 + y * 5) % 256);
    }
  }
  return image;
}

std::vector<uint8_t> NoiseImage(int32_t width, int32_t height, int32_t planes, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> image(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes));
  for (uint8_t& byte : image) byte = static_cast<uint8_t>(random() >> 24);
  return image;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

TempFolder::TempFolder() {
  // A new folder under a random name; create_directory fails on a name that
  // is taken, so two tests never share a folder.
  std::random_device entropy;
  std::mt19937_64 random((static_cast<uint64_t>(entropy()) << 32) ^ entropy());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::filesystem::path candidate = base / ("quarn-test-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) path_ = candidate.generic_string();
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace quarn
