#include "support/block_golden.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "codec/encode/block_encoder.h"
#include "codec/mip/mip_chain.h"
#include "support/corpus_images.h"

namespace quarn::test {

namespace {

// Sampled level-0 blocks per image and format.
constexpr int32_t kSamples = 96;

struct Format {
  const char* name;
  std::vector<uint8_t> (*encode)(const RgbaImage&);
  size_t blockBytes;
};

const Format kFormats[] = {
    {"DXT1", EncodeDXT1, 8}, {"DXT1a", EncodeDXT1a, 8}, {"DXT3", EncodeDXT3, 16}, {"DXT5", EncodeDXT5, 16}};

uint64_t Fnv1a64(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) {
    hash ^= b;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string Hex(const uint8_t* bytes, size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::unique_ptr<RgbaImage> CopyLevel(const MipLevel& level) {
  auto image = std::make_unique<RgbaImage>(level.width, level.height);
  for (size_t i = 0; i < static_cast<size_t>(level.width) * static_cast<size_t>(level.height); ++i)
    image->pixels()[i] = level.pixels[i];
  return image;
}

// A window of `source` with odd sides, so that edge blocks of real texels
// are recorded as well.
std::unique_ptr<RgbaImage> Crop(const RgbaImage& source, int32_t left, int32_t top, int32_t width, int32_t height) {
  auto image = std::make_unique<RgbaImage>(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      image->pixels()[y * width + x] = source.pixels()[(top + y) * source.width + left + x];
  return image;
}

std::string Hex64(uint64_t value) {
  uint8_t bytes[8];
  for (int32_t i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(value >> (56 - 8 * i));
  return Hex(bytes, 8);
}

void AppendImage(const std::string& label, const RgbaImage& base, std::string& text) {
  const MipChain chain(base);
  for (const Format& format : kFormats) {
    text += "image " + label + " " + format.name + " levels " + std::to_string(chain.levelCount()) + "\n";
    for (int32_t k = 0; k < chain.levelCount(); ++k) {
      const std::unique_ptr<RgbaImage> level = CopyLevel(chain.level(k));
      const std::vector<uint8_t> bytes = format.encode(*level);
      text += "level " + std::to_string(k) + " " + std::to_string(level->width) + "x" + std::to_string(level->height) +
              " bytes " + std::to_string(bytes.size()) + " fnv1a64 " + Hex64(Fnv1a64(bytes)) + "\n";
      if (k != 0) continue;
      const size_t blocks = bytes.size() / format.blockBytes;
      const size_t samples = blocks < kSamples ? blocks : kSamples;
      const size_t stride = blocks / samples;
      for (size_t i = 0; i < samples; ++i) {
        // Spread over the image, not always the same column of blocks.
        const size_t block = i * stride + (i * 37) % stride;
        text += "block " + std::to_string(block) + " " +
                Hex(bytes.data() + block * format.blockBytes, format.blockBytes) + "\n";
      }
    }
  }
}

}  // namespace

std::string MakeBlockGolden(const std::string& corpusDir) {
  std::string text;
  for (const std::string& name : CorpusImageNames()) {
    const std::unique_ptr<RgbaImage> image = LoadCorpusImage(corpusDir, name);
    if (!image) return std::string();
    AppendImage(name, *image, text);
    if (name == "logo_cutout_512") AppendImage(name + "_crop_37x21_at_230_4", *Crop(*image, 230, 4, 37, 21), text);
    if (name == "astronaut_512") AppendImage(name + "_crop_13x6_at_200_180", *Crop(*image, 200, 180, 13, 6), text);
  }
  return text;
}

}  // namespace quarn::test
