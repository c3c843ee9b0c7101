// The four entry functions end to end, with the real fitters: sizes, clipped
// edge blocks and the fixed blocks that the packing rules decide alone.
#include "codec/encode/block_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/dxt_test_decoder.h"

namespace quarn {
namespace {

using Encoder = std::vector<uint8_t> (*)(const RgbaImage&);

struct Entry {
  const char* name;
  Encoder encode;
  size_t blockBytes;
  test::DxtKind kind;
};
const Entry kEntries[] = {{"DXT1", EncodeDXT1, 8, test::DxtKind::DXT1},
                          {"DXT1a", EncodeDXT1a, 8, test::DxtKind::DXT1},
                          {"DXT3", EncodeDXT3, 16, test::DxtKind::DXT3},
                          {"DXT5", EncodeDXT5, 16, test::DxtKind::DXT5}};

uint32_t IndexWord(const std::vector<uint8_t>& b, size_t colourBlock) {
  return static_cast<uint32_t>(b[colourBlock + 4]) | (static_cast<uint32_t>(b[colourBlock + 5]) << 8) |
         (static_cast<uint32_t>(b[colourBlock + 6]) << 16) | (static_cast<uint32_t>(b[colourBlock + 7]) << 24);
}

// Small levels take one block per started 4x4; positions outside the level
// carry index 3, and the texels inside decode close to the source.
TEST(BlockEncoder, SmallAndOddLevelsAreClipped) {
  struct Size {
    int32_t width, height;
  };
  for (const Size size : {Size{1, 1}, Size{2, 2}, Size{5, 3}, Size{3, 7}}) {
    RgbaImage image(size.width, size.height);
    // Beyond the level the storage holds a colour that must not leak in.
    for (size_t i = 0; i < image.capacity(); ++i) image.pixels()[i] = MakePixel(0, 0, 255, 255);
    for (int32_t i = 0; i < size.width * size.height; ++i)
      image.pixels()[i] = MakePixel(40 + 9 * i, 120, 200 - 5 * i, 255);
    const size_t blocks = static_cast<size_t>((size.width + 3) / 4) * static_cast<size_t>((size.height + 3) / 4);
    for (const Entry& entry : kEntries) {
      const std::vector<uint8_t> out = entry.encode(image);
      ASSERT_EQ(out.size(), blocks * entry.blockBytes) << entry.name << " " << size.width << "x" << size.height;
      // The last block: positions beyond the level have index 3.
      const size_t last = out.size() - 8;
      const int32_t bx = ((size.width - 1) / 4) * 4;
      const int32_t by = ((size.height - 1) / 4) * 4;
      for (int32_t k = 0; k < 16; ++k) {
        const bool outside = bx + (k & 3) >= size.width || by + (k >> 2) >= size.height;
        if (outside) {
          EXPECT_EQ((IndexWord(out, last) >> (2 * k)) & 3, 3u) << entry.name << " position " << k;
        }
      }
      const std::vector<uint32_t> back = test::DecodeDxt(entry.kind, out.data(), size.width, size.height);
      for (int32_t i = 0; i < size.width * size.height; ++i) {
        const uint32_t want = image.pixels()[i];
        for (int32_t shift : {0, 8, 16}) {
          const int32_t d = static_cast<int32_t>((back[i] >> shift) & 0xFF) - static_cast<int32_t>((want >> shift) & 0xFF);
          EXPECT_LE(d < 0 ? -d : d, 24) << entry.name << " texel " << i;
        }
      }
    }
  }
}

TEST(BlockEncoder, FiveByThreeDxt1TakesSixteenBytes) {
  RgbaImage image(5, 3);
  for (int32_t i = 0; i < 15; ++i) image.pixels()[i] = MakePixel(10 * i, 255 - 10 * i, 60, 255);
  const std::vector<uint8_t> out = EncodeDXT1(image);
  ASSERT_EQ(out.size(), 16u);
  // Second block: only column 0 of rows 0 to 2 lies inside.
  const uint32_t word = IndexWord(out, 8);
  for (int32_t k = 0; k < 16; ++k) {
    if ((k & 3) != 0 || k >= 12) {
      EXPECT_EQ((word >> (2 * k)) & 3, 3u) << k;
    }
  }
}

TEST(BlockEncoder, AllCutOneBitAlphaBlock) {
  RgbaImage image(4, 4);
  for (int32_t i = 0; i < 16; ++i) image.pixels()[i] = MakePixel(90, 180, 30, 128 - 8 * i);
  EXPECT_EQ(EncodeDXT1a(image), (std::vector<uint8_t>{0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
  // One texel at 129 is kept: a three-colour block (c0 < c1) that shows it.
  image.pixels()[6] = MakePixel(90, 180, 30, 129);
  const std::vector<uint8_t> out = EncodeDXT1a(image);
  const uint32_t c0 = out[0] | (out[1] << 8);
  const uint32_t c1 = out[2] | (out[3] << 8);
  EXPECT_LT(c0, c1);
  const std::vector<uint32_t> back = test::DecodeDxt(test::DxtKind::DXT1, out.data(), 4, 4);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(back[i] >> 24, i == 6 ? 255u : 0u) << i;
}

TEST(BlockEncoder, OpaqueWhiteBlocks) {
  RgbaImage image(4, 4);
  for (int32_t i = 0; i < 16; ++i) image.pixels()[i] = MakePixel(255, 255, 255, 255);
  // Equal end points 0xFFFF: c0 wraps to 0, the order rule brings it back.
  EXPECT_EQ(EncodeDXT1(image), (std::vector<uint8_t>{0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0}));
  // The all-255 alpha block: six levels, FF FF, every code 0.
  EXPECT_EQ(EncodeDXT5(image),
            (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0}));
  EXPECT_EQ(EncodeDXT3(image), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                     0x00, 0x00, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace quarn
