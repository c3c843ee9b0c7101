#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/decode/block_palettes.h"
#include "codec/decode/decode_surface.h"
#include "codec/decode/source_format.h"

namespace quarn {
namespace {

// Decodes `stored` as one level of width x height and returns the pixels as
// 0xAARRGGBB words.
std::vector<uint32_t> Decode(std::vector<uint8_t> stored, uint32_t width, uint32_t height, uint32_t code) {
  SurfaceDesc source;
  source.width = width;
  source.height = height;
  source.surface = stored.data();
  std::vector<uint8_t> bytes(size_t{width} * height * 4);
  SurfaceDesc output;
  DecodeSurface(source, output, bytes.data(), code);
  std::vector<uint32_t> words(size_t{width} * height);
  for (size_t i = 0; i < words.size(); ++i) {
    words[i] = uint32_t(bytes[4 * i]) | uint32_t(bytes[4 * i + 1]) << 8 | uint32_t(bytes[4 * i + 2]) << 16 |
               uint32_t(bytes[4 * i + 3]) << 24;
  }
  return words;
}

// A colour block: end points c0, c1 and one index byte per texel row.
std::vector<uint8_t> ColourBlock(uint16_t c0, uint16_t c1, uint8_t row0, uint8_t row1 = 0, uint8_t row2 = 0,
                                 uint8_t row3 = 0) {
  return {uint8_t(c0), uint8_t(c0 >> 8), uint8_t(c1), uint8_t(c1 >> 8), row0, row1, row2, row3};
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

constexpr uint8_t kIndices0123 = 0 | 1 << 2 | 2 << 4 | 3 << 6;  // texels 0..3 of a row take indices 0..3

TEST(BlockPalettes, RedAndBlueInBothOrders) {
  struct Case {
    uint16_t c0, c1;
    uint32_t expected[4];
  };
  const Case cases[] = {
      // c1 < c0: four colours, thirds rounded.
      {0xF800, 0x001F, {0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}},
      // c0 <= c1: three colours, the middle truncated, then transparent black.
      {0x001F, 0xF800, {0xFF0000FF, 0xFFFF0000, 0xFF7F007F, 0x00000000}},
      // Equal end points also take three-colour mode.
      {0x0000, 0x0000, {0xFF000000, 0xFF000000, 0xFF000000, 0x00000000}},
  };
  for (const Case& c : cases) {
    uint32_t palette[4];
    BuildColourPalette(c.c0, c.c1, palette);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(palette[i], c.expected[i]) << std::hex << c.c0 << " entry " << i;
    // The decoder walks the same palette by index.
    EXPECT_EQ(Decode(ColourBlock(c.c0, c.c1, kIndices0123), 4, 1, SourceDXT1),
              std::vector<uint32_t>(c.expected, c.expected + 4));
  }
}

TEST(BlockPalettes, AlphaPalettesInBothOrders) {
  struct Case {
    uint8_t a0, a1;
    uint8_t expected[8];
  };
  const Case cases[] = {
      {255, 0, {255, 0, 219, 182, 146, 109, 73, 36}},
      {0, 255, {0, 255, 51, 102, 153, 204, 0, 255}},
      {100, 100, {100, 100, 100, 100, 100, 100, 0, 255}},
  };
  for (const Case& c : cases) {
    uint8_t palette[8];
    BuildAlphaPalette(c.a0, c.a1, palette);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(palette[i], c.expected[i]) << int(c.a0) << "/" << int(c.a1) << " " << i;
  }
}

// Block end points widen by bit replication, pixel fields by the odd-bit fill.
TEST(DecodeSurface, BlockAndPixelWideningDiffer) {
  struct Case {
    uint16_t redField;
    uint32_t blockRed, pixelRed;
  };
  const Case cases[] = {{16, 132, 128}, {17, 140, 143}, {31, 255, 255}, {0, 0, 0}, {1, 8, 15}};
  for (const Case& c : cases) {
    const uint16_t colour = uint16_t(c.redField << 11);
    const uint32_t fromBlock = Decode(ColourBlock(colour, colour, 0), 1, 1, SourceDXT1)[0];
    const uint32_t fromPixel = Decode({uint8_t(colour), uint8_t(colour >> 8)}, 1, 1, SourceR5G6B5)[0];
    EXPECT_EQ((fromBlock >> 16) & 0xFF, c.blockRed) << c.redField;
    EXPECT_EQ((fromPixel >> 16) & 0xFF, c.pixelRed) << c.redField;
  }
}

TEST(DecodeSurface, PixelFormats) {
  struct Case {
    const char* name;
    uint32_t code;
    std::vector<uint8_t> stored;
    uint32_t expected;
  };
  const Case cases[] = {
      {"r8g8b8 bytes are blue, green, red", SourceR8G8B8, {10, 20, 30}, 0xFF1E140A},
      {"a8r8g8b8 copied unchanged", SourceA8R8G8B8, {1, 2, 3, 4}, 0x04030201},
      {"r5g6b5 6-bit 1 widens to 7", SourceR5G6B5, {0x20, 0x00}, 0xFF000700},
      {"r5g6b5 white", SourceR5G6B5, {0xFF, 0xFF}, 0xFFFFFFFF},
      {"x1r5g5b5 has alpha 0, top bit ignored", SourceX1R5G5B5, {0xFF, 0xFF}, 0x00FFFFFF},
      {"x1r5g5b5 fields 16, 16, 17", SourceX1R5G5B5, {0x11, 0x42}, 0x0080808F},
      {"a1r5g5b5 bit 15 set", SourceA1R5G5B5, {0x00, 0x80}, 0xFF000000},
      {"a1r5g5b5 bit 15 clear", SourceA1R5G5B5, {0x1F, 0x7C}, 0x00FF00FF},
      {"a4r4g4b4 fields 1, 8, 15, 0", SourceA4R4G4B4, {0xF0, 0x18}, 0x1F80FF00},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.stored, 1, 1, c.code)[0], c.expected) << c.name;
}

TEST(DecodeSurface, PixelFormatsKeepStoredOrder) {
  // 2 x 2 r8g8b8: rows back to back, no padding.
  const std::vector<uint32_t> pixels = Decode({1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0}, 2, 2, SourceR8G8B8);
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}));
}

TEST(DecodeSurface, ExplicitAlphaNibblesAreSeventeenTimesN) {
  // Texel t of the block has nibble t; colour white, all indices 0.
  std::vector<uint8_t> alpha;
  for (int row = 0; row < 4; ++row) {
    const uint16_t word = uint16_t((4 * row) | (4 * row + 1) << 4 | (4 * row + 2) << 8 | (4 * row + 3) << 12);
    alpha.push_back(uint8_t(word));
    alpha.push_back(uint8_t(word >> 8));
  }
  for (uint32_t code : {SourceDXT2, SourceDXT3}) {
    const std::vector<uint32_t> pixels = Decode(Concat(alpha, ColourBlock(0xFFFF, 0x0000, 0)), 4, 4, code);
    for (uint32_t n = 0; n < 16; ++n) EXPECT_EQ(pixels[n], (17 * n) << 24 | 0xFFFFFF) << "nibble " << n;
  }
}

TEST(DecodeSurface, InterpolatedAlphaCodesInTexelOrder) {
  // Texel t takes code (t + 3) % 8 from a0 = 255, a1 = 0.
  uint64_t bits = 0;
  for (int t = 0; t < 16; ++t) bits |= uint64_t((t + 3) % 8) << (3 * t);
  std::vector<uint8_t> alpha = {255, 0};
  for (int i = 0; i < 6; ++i) alpha.push_back(uint8_t(bits >> (8 * i)));
  const uint8_t palette[8] = {255, 0, 219, 182, 146, 109, 73, 36};
  for (uint32_t code : {SourceDXT4, SourceDXT5}) {
    const std::vector<uint32_t> pixels = Decode(Concat(alpha, ColourBlock(0xFFFF, 0x0000, 0)), 4, 4, code);
    for (int t = 0; t < 16; ++t) EXPECT_EQ(pixels[t] >> 24, palette[(t + 3) % 8]) << "texel " << t;
  }
}

TEST(DecodeSurface, ColourHalfOfAlphaFormatsUsesThreeColourTest) {
  // c0 <= c1 with index 3: black colour bytes, but the alpha block's alpha.
  const std::vector<uint8_t> opaqueExplicit(8, 0xFF);
  const std::vector<uint8_t> interpolated = {200, 200, 0, 0, 0, 0, 0, 0};
  struct Case {
    uint32_t code;
    std::vector<uint8_t> alpha;
    uint32_t alphaByte;
  };
  const Case cases[] = {{SourceDXT3, opaqueExplicit, 255}, {SourceDXT5, interpolated, 200}};
  for (const Case& c : cases) {
    const std::vector<uint32_t> pixels = Decode(Concat(c.alpha, ColourBlock(0x001F, 0xF800, kIndices0123)), 4, 1, c.code);
    EXPECT_EQ(pixels[2], c.alphaByte << 24 | 0x7F007F);
    EXPECT_EQ(pixels[3], c.alphaByte << 24);
    // Four-colour order for the same block.
    const std::vector<uint32_t> four = Decode(Concat(c.alpha, ColourBlock(0xF800, 0x001F, kIndices0123)), 4, 1, c.code);
    EXPECT_EQ(four[3], c.alphaByte << 24 | 0x5500AA);
  }
}

TEST(DecodeSurface, EdgeBlocksAreClipped) {
  // 5 x 3 DXT1: two blocks. Block 0 is white (index 0), block 1 has c0 red,
  // c1 blue and texel (x, y) takes index x (so column 4 of the picture is red).
  const std::vector<uint8_t> stored =
      Concat(ColourBlock(0xFFFF, 0x0000, 0, 0, 0, 0), ColourBlock(0xF800, 0x001F, 0xE4, 0xE4, 0xE4, 0xE4));
  SurfaceDesc source;
  source.width = 5;
  source.height = 3;
  source.surface = const_cast<uint8_t*>(stored.data());
  const uint8_t kGuard = 0xA5;
  std::vector<uint8_t> bytes(5 * 3 * 4 + 64, kGuard);
  SurfaceDesc output;
  DecodeSurface(source, output, bytes.data(), SourceDXT1);

  for (uint32_t y = 0; y < 3; ++y) {
    for (uint32_t x = 0; x < 5; ++x) {
      const uint8_t* p = &bytes[(y * 5 + x) * 4];
      const uint32_t pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
      EXPECT_EQ(pixel, x < 4 ? 0xFFFFFFFFu : 0xFFFF0000u) << x << "," << y;
    }
  }
  for (size_t i = 5 * 3 * 4; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], kGuard) << "written past the level at " << i;

  EXPECT_EQ(output.width, 5u);
  EXPECT_EQ(output.height, 3u);
  EXPECT_EQ(output.pitch, 20);
  EXPECT_EQ(output.surface, bytes.data());
  EXPECT_EQ(output.bitCount, 32u);
  EXPECT_EQ(output.alphaMask, 0xFF000000u);
  EXPECT_EQ(output.redMask, 0x00FF0000u);
}

TEST(DecodeSurface, ZeroDxt1BlockIsOpaqueBlack) {
  EXPECT_EQ(Decode(std::vector<uint8_t>(8, 0), 4, 4, SourceDXT1), std::vector<uint32_t>(16, 0xFF000000));
}

}  // namespace
}  // namespace quarn
