// Readers for the image files that TGAcompressBMP and BMPScompressBMP convert:
// uncompressed true-colour TGA, and a 24-bit colour BMP paired with an 8-bit
// alpha BMP. They build the image that the compressing exports take.
#ifndef QUARN_CODEC_API_SOURCE_READERS_H
#define QUARN_CODEC_API_SOURCE_READERS_H

#include <cstdint>
#include <vector>

namespace quarn {

// An image in the exports' layout: rows width x planes bytes, no padding,
// in the order the file stores them.
struct SourceImage {
  std::vector<uint8_t> pixels;
  int32_t width = 0;
  int32_t height = 0;
  int32_t planes = 0;
};

// Both readers take sides from 1 to 9999 only.
constexpr int32_t kMaxSourceSide = 9999;

// Reads a 24- or 32-bit uncompressed TGA. Refuses (false) a file that cannot
// be opened, a colour-mapped or run-length-encoded one, another bit depth or
// a size out of range. Pixels missing at the end of the file are zero.
bool ReadTgaSource(const char* path, SourceImage& image);

// Reads a 24-bit colour BMP and the 8-bit alpha BMP beside it into one
// 4-plane image. The alpha file is taken to have the colour file's size.
// Refuses (false) files that cannot be opened or do not start with "BM", a
// colour depth other than 24 bits, or a size out of range (a top-down file's
// negative height among them). Bytes missing at the end of either file are
// 255.
bool ReadBmpPairSource(const char* colourPath, const char* alphaPath, SourceImage& image);

}  // namespace quarn

#endif
