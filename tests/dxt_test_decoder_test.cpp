// The test decoder that the round trip relies on: palettes, mode choice and
// bit positions of the published layouts.
#include "support/dxt_test_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quarn::test {
namespace {

TEST(DxtTestDecoder, FourAndThreeColourPalettes) {
  // Indices 0, 1, 2, 3 on texels 0 to 3 of the first row; the rest index 0.
  const uint8_t four[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0, 0, 0};
  const std::vector<uint32_t> a = DecodeDxt(DxtKind::DXT1, four, 4, 1);
  EXPECT_EQ(a, (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu, 0xFFAA0055u, 0xFF5500AAu}));
  const uint8_t three[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};
  const std::vector<uint32_t> b = DecodeDxt(DxtKind::DXT1, three, 4, 1);
  EXPECT_EQ(b, (std::vector<uint32_t>{0xFF0000FFu, 0xFFFF0000u, 0xFF7F007Fu, 0x00000000u}));
}

TEST(DxtTestDecoder, AlphaBlocks) {
  // DXT3: nibbles 0, 1, 8, 15 in row 0.
  const uint8_t explicitAlpha[16] = {0x10, 0xF8, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  const std::vector<uint32_t> a = DecodeDxt(DxtKind::DXT3, explicitAlpha, 4, 1);
  EXPECT_EQ(a[0] >> 24, 0u);
  EXPECT_EQ(a[1] >> 24, 17u);
  EXPECT_EQ(a[2] >> 24, 136u);
  EXPECT_EQ(a[3] >> 24, 255u);
  // DXT5: codes 0 to 7 on texels 0 to 7, both end-point orders.
  const uint8_t falling[16] = {255, 0, 0x88, 0xC6, 0xFA, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  const uint8_t rising[16] = {0, 255, 0x88, 0xC6, 0xFA, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  const std::vector<uint32_t> f = DecodeDxt(DxtKind::DXT5, falling, 4, 2);
  const std::vector<uint32_t> r = DecodeDxt(DxtKind::DXT5, rising, 4, 2);
  const uint32_t fallingAlpha[8] = {255, 0, 219, 182, 146, 109, 73, 36};
  const uint32_t risingAlpha[8] = {0, 255, 51, 102, 153, 204, 0, 255};
  for (int32_t k = 0; k < 8; ++k) {
    EXPECT_EQ(f[k] >> 24, fallingAlpha[k]) << k;
    EXPECT_EQ(r[k] >> 24, risingAlpha[k]) << k;
  }
}

TEST(DxtTestDecoder, EdgeBlocksAreClipped) {
  // 5x1: two blocks, the second one's texel 0 is pixel 4.
  const uint8_t blocks[16] = {0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0, 0x1F, 0x00, 0x00, 0xF8, 0x01, 0, 0, 0};
  const std::vector<uint32_t> p = DecodeDxt(DxtKind::DXT1, blocks, 5, 1);
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[3], 0xFFFF0000u);
  EXPECT_EQ(p[4], 0xFFFF0000u);  // index 1 of the second block: c1 = red
}

}  // namespace
}  // namespace quarn::test
