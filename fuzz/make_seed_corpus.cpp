// Writes the seed corpora of the two fuzz targets into the folders given on
// the command line: small DDS files made by the library's own writer
// (DXTcompress without callback, every format 10 to 19, each also announced
// as a cube map and as a volume, and DXT1 with the alpha flag), and for
// DecodeSurface the top level of each.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "codec/decode/source_format.h"
#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/dds_fixture.h"
#include "support/test_images.h"

using namespace quarn;

namespace {

// A small picture with edges, ramps and alpha, blue, green, red, alpha.
std::vector<uint8_t> SeedImage(int32_t width, int32_t height) {
  std::vector<uint8_t> image;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      image.push_back(uint8_t(x * 255 / width));
      image.push_back(uint8_t(y * 255 / height));
      image.push_back(uint8_t((x ^ y) * 40));
      image.push_back(uint8_t((x + y) % 3 == 0 ? 0 : 64 * (x % 4)));
    }
  }
  return image;
}

// The writer's header for a block format and every level of its chain, with
// blocks whose bytes run through all values.
std::vector<uint8_t> BlockSeed(int32_t width, int32_t height, int32_t format) {
  const auto header = BuildDdsHeader(uint32_t(width), uint32_t(height), format,
                                     uint32_t(LevelByteSize(format, uint32_t(width), uint32_t(height))));
  std::vector<uint8_t> dds(header.begin(), header.end());
  for (int32_t w = width, h = height;; w = NextLevelSide(w), h = NextLevelSide(h)) {
    const uint64_t bytes = LevelByteSize(format, uint32_t(w), uint32_t(h));
    for (uint64_t i = 0; i < bytes; ++i) dds.push_back(uint8_t(i * 37 + uint64_t(w) * 11));
    if (w == 1 && h == 1) break;
  }
  return dds;
}

// Level 0 of a DDS file as a DecodeSurface input: selector, sides, bytes.
std::vector<uint8_t> DecodeSeed(const std::vector<uint8_t>& dds, uint8_t selector, uint32_t width, uint32_t height,
                                uint32_t code) {
  std::vector<uint8_t> seed = {selector, uint8_t(width - 1), uint8_t(height - 1)};
  const size_t bytes = size_t(SourceLevelBytes(code, width, height));
  if (dds.size() >= kDdsDataOffset + bytes) seed.insert(seed.end(), dds.begin() + kDdsDataOffset, dds.begin() + kDdsDataOffset + bytes);
  return seed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <read_dds corpus folder> <decode_surface corpus folder>\n", argv[0]);
    return 2;
  }
  const std::string readDir = argv[1], decodeDir = argv[2];
  struct Seed {
    int32_t format;
    uint32_t code;
    uint8_t selector;  // index of the code in fuzz_decode_surface's table
  };
  const Seed seeds[] = {{FormatDXT1, SourceDXT1, 6},       {FormatDXT1a, SourceDXT1, 6},
                        {FormatDXT3, SourceDXT3, 8},       {FormatDXT5, SourceDXT5, 10},
                        {Format4444, SourceA4R4G4B4, 5},   {Format1555, SourceA1R5G5B5, 4},
                        {Format565, SourceR5G6B5, 2},      {Format8888, SourceA8R8G8B8, 1},
                        {Format888, SourceR8G8B8, 0},      {Format555, SourceX1R5G5B5, 3}};
  int written = 0;
  for (const Seed& s : seeds) {
    // Block formats need power-of-two sides; the pixel formats get odd ones.
    const int32_t width = IsBlockFormat(s.format) ? 8 : 6, height = IsBlockFormat(s.format) ? 4 : 3;
    const std::vector<uint8_t> image = SeedImage(width, height);
    const std::string name = readDir + "/format" + std::to_string(s.format) + ".dds";
    DXTcompress(image.data(), width, height, s.format, 0, 0, 4, nullptr, name.c_str());
    std::vector<uint8_t> dds = ReadFileBytes(name);
    if (dds.size() <= kDdsDataOffset && IsBlockFormat(s.format)) {
      // An engine without the block encoder writes nothing: take the
      // writer's header and patterned blocks instead.
      dds = BlockSeed(width, height, s.format);
      test::WriteFile(name, dds);
      std::fprintf(stderr, "format %d: the engine wrote no DDS file, header plus patterned blocks used\n", s.format);
    }
    if (dds.size() <= kDdsDataOffset) {
      std::fprintf(stderr, "format %d: the engine wrote no DDS file, seed skipped\n", s.format);
      std::remove(name.c_str());
      continue;
    }
    ++written;
    test::WriteFile(decodeDir + "/format" + std::to_string(s.format), DecodeSeed(dds, s.selector, width, height, s.code));

    // One-bit alpha DXT1 marked as such in the pixel-format flags.
    if (s.format == FormatDXT1a) {
      std::vector<uint8_t> marked = dds;
      StoreLE32(marked.data() + 4 + DdsPfFlags, kDdsPfFourCC | kDdsPfAlpha);
      test::WriteFile(readDir + "/format11_alpha.dds", marked);
    }
    // The same data announced as a cube map and as a volume of two slices.
    std::vector<uint8_t> cube = dds;
    StoreLE32(cube.data() + 4 + DdsCaps2, kDdsCaps2CubeMapAll | 0x200);
    test::WriteFile(readDir + "/format" + std::to_string(s.format) + "_cube.dds", cube);
    std::vector<uint8_t> volume = dds;
    StoreLE32(volume.data() + 4 + DdsFlags, LoadLE32(volume.data() + 4 + DdsFlags) | kDdsFlagDepth);
    StoreLE32(volume.data() + 4 + DdsDepth, 2);
    test::WriteFile(readDir + "/format" + std::to_string(s.format) + "_volume.dds", volume);
  }
  std::printf("%d DDS seeds written\n", written);
  return written > 0 ? 0 : 1;
}
