#include "support/corpus_images.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace quarn::test {

const std::vector<std::string>& CorpusImageNames() {
  static const std::vector<std::string> names = {"astronaut_512", "gravel_512", "brick_512",
                                                 "coffee_256",    "logo_cutout_512", "chelsea_vignette_256"};
  return names;
}

std::unique_ptr<RgbaImage> LoadCorpusImage(const std::string& dir, const std::string& name) {
  std::ifstream file(dir + "/" + name + ".bgra", std::ios::binary);
  if (!file) return nullptr;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t texels = bytes.size() / 4;
  const auto side = static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(texels))));
  if (texels == 0 || static_cast<size_t>(side) * static_cast<size_t>(side) != texels || bytes.size() % 4 != 0)
    return nullptr;
  auto image = std::make_unique<RgbaImage>(side, side);
  for (size_t i = 0; i < texels; ++i)
    image->pixels()[i] = MakePixel(bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]);
  return image;
}

}  // namespace quarn::test
