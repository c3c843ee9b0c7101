// The packing rules of one block: end-point order and index renumbering of
// the colour half, the explicit alpha rounding, and the interpolated alpha
// end-point rules.
#include "codec/encode/block_packing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace quarn {
namespace {

using Bytes = std::array<uint8_t, 8>;

// Every position takes part, position k being fit texel k.
void FillIdentitySlots(SlotMap& slot) {
  for (int32_t k = 0; k < 16; ++k) slot[k] = k;
}

uint32_t IndexWord(const Bytes& b) {
  return static_cast<uint32_t>(b[4]) | (static_cast<uint32_t>(b[5]) << 8) | (static_cast<uint32_t>(b[6]) << 16) |
         (static_cast<uint32_t>(b[7]) << 24);
}
uint32_t IndexAt(const Bytes& b, int32_t k) { return (IndexWord(b) >> (2 * k)) & 3; }
uint32_t Colour0(const Bytes& b) { return b[0] | (b[1] << 8); }
uint32_t Colour1(const Bytes& b) { return b[2] | (b[3] << 8); }

ColourBlockFit FitWithEnds(int32_t mode, std::array<int32_t, 3> e0, std::array<int32_t, 3> e1) {
  ColourBlockFit fit;
  fit.count = 16;
  fit.mode = mode;
  for (int32_t c = 0; c < 3; ++c) {
    fit.end[0][c] = e0[c];
    fit.end[1][c] = e1[c];
  }
  for (int32_t i = 0; i < 16; ++i) fit.index[i] = i % 4;
  return fit;
}

TEST(PackColourBlock, FourColourEndsAlreadyOrderedAreKept) {
  SlotMap slot;
  FillIdentitySlots(slot);
  ColourBlockFit fit = FitWithEnds(4, {31, 0, 0}, {0, 0, 31});  // 0xF800, 0x001F
  Bytes b{};
  PackColourBlock(fit, false, slot, b.data());
  EXPECT_EQ(Colour0(b), 0xF800u);
  EXPECT_EQ(Colour1(b), 0x001Fu);
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(IndexAt(b, k), static_cast<uint32_t>(k % 4)) << k;
}

TEST(PackColourBlock, FourColourEndsInWrongOrderAreExchangedWithLowBitInverted) {
  SlotMap slot;
  FillIdentitySlots(slot);
  ColourBlockFit fit = FitWithEnds(4, {0, 0, 31}, {31, 0, 0});
  Bytes b{};
  PackColourBlock(fit, false, slot, b.data());
  EXPECT_EQ(Colour0(b), 0xF800u);
  EXPECT_EQ(Colour1(b), 0x001Fu);
  const uint32_t expected[4] = {1, 0, 3, 2};
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(IndexAt(b, k), expected[k % 4]) << k;
}

TEST(PackColourBlock, ThreeColourEndsInWrongOrderSwapZeroAndOneOnly) {
  SlotMap slot;
  FillIdentitySlots(slot);
  ColourBlockFit fit = FitWithEnds(3, {31, 0, 0}, {0, 0, 31});
  for (int32_t i = 0; i < 16; ++i) fit.index[i] = i % 3;
  slot[15] = -1;  // a transparent texel keeps index 3
  Bytes b{};
  PackColourBlock(fit, true, slot, b.data());
  EXPECT_EQ(Colour0(b), 0x001Fu);
  EXPECT_EQ(Colour1(b), 0xF800u);
  const uint32_t expected[3] = {1, 0, 2};
  for (int32_t k = 0; k < 15; ++k) EXPECT_EQ(IndexAt(b, k), expected[k % 3]) << k;
  EXPECT_EQ(IndexAt(b, 15), 3u);
}

TEST(PackColourBlock, EqualWhiteEndsWrapAndComeBackAsFFFF) {
  SlotMap slot;
  FillIdentitySlots(slot);
  slot[5] = -1;  // outside the image
  ColourBlockFit fit = FitWithEnds(4, {31, 63, 31}, {31, 63, 31});
  Bytes b{};
  PackColourBlock(fit, false, slot, b.data());
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[1], 0xFF);
  EXPECT_EQ(b[2], 0x00);
  EXPECT_EQ(b[3], 0x00);
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(IndexAt(b, k), k == 5 ? 3u : 0u) << k;
}

TEST(PackColourBlock, EqualEndsInOpaqueModeRaiseColour0AndUseIndex1) {
  SlotMap slot;
  FillIdentitySlots(slot);
  ColourBlockFit fit = FitWithEnds(4, {4, 8, 2}, {4, 8, 2});  // 0x2102
  Bytes b{};
  PackColourBlock(fit, false, slot, b.data());
  // c0 = 0x2103 > c1 = 0x2102 already: stored as is, every texel on c1.
  EXPECT_EQ(Colour0(b), 0x2103u);
  EXPECT_EQ(Colour1(b), 0x2102u);
  EXPECT_EQ(IndexWord(b), 0x55555555u);
}

TEST(PackColourBlock, EqualEndsInCutModeBecomeThreeColourOnTheFittedColour) {
  SlotMap slot;
  FillIdentitySlots(slot);
  slot[0] = -1;
  ColourBlockFit fit = FitWithEnds(4, {4, 8, 2}, {4, 8, 2});
  Bytes b{};
  PackColourBlock(fit, true, slot, b.data());
  EXPECT_EQ(Colour0(b), 0x2102u);
  EXPECT_EQ(Colour1(b), 0x2103u);
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(IndexAt(b, k), k == 0 ? 3u : 0u) << k;
}

TEST(PackColourBlock, EqualWhiteEndsInCutModeWrapAndExchange) {
  SlotMap slot;
  FillIdentitySlots(slot);
  ColourBlockFit fit = FitWithEnds(3, {31, 63, 31}, {31, 63, 31});
  Bytes b{};
  PackColourBlock(fit, true, slot, b.data());
  // c1 wraps to 0, the three-colour order puts it first; index 1 is white.
  EXPECT_EQ(Colour0(b), 0x0000u);
  EXPECT_EQ(Colour1(b), 0xFFFFu);
  EXPECT_EQ(IndexWord(b), 0x55555555u);
}

TEST(PackColourBlock, AllCutBlockBytes) {
  SlotMap slot;
  for (int32_t k = 0; k < 16; ++k) slot[k] = -1;
  ColourBlockFit fit;  // zeroed end points, no fitter ran
  Bytes b{};
  PackColourBlock(fit, true, slot, b.data());
  EXPECT_EQ(b, (Bytes{0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(PackColourBlock, IndexWordPutsPositionZeroInLowestBits) {
  SlotMap slot;
  for (int32_t k = 0; k < 16; ++k) slot[k] = -1;
  slot[0] = 0;
  slot[15] = 1;
  ColourBlockFit fit = FitWithEnds(4, {31, 0, 0}, {0, 0, 31});
  fit.index[0] = 0;
  fit.index[1] = 2;
  Bytes b{};
  PackColourBlock(fit, false, slot, b.data());
  EXPECT_EQ(IndexWord(b), 0xBFFFFFFCu);
}

// DXT3 nibble of each 8-bit alpha: the round-to-nearest boundaries of alpha/17.
TEST(PackExplicitAlpha, NibbleBoundaries) {
  struct Case {
    uint32_t alpha;
    uint32_t nibble;
  };
  const Case cases[] = {{0, 0},    {8, 0},    {9, 1},     {25, 1},    {26, 2},   {127, 7},
                        {128, 8},  {136, 8},  {238, 14},  {246, 14},  {247, 15}, {255, 15}};
  for (const Case& c : cases) {
    uint32_t alpha[16];
    for (auto& a : alpha) a = c.alpha;
    Bytes b{};
    PackExplicitAlpha(alpha, 255, 4, 4, b.data());
    const uint8_t byte = static_cast<uint8_t>(c.nibble | (c.nibble << 4));
    EXPECT_EQ(b, (Bytes{byte, byte, byte, byte, byte, byte, byte, byte})) << "alpha " << c.alpha;
  }
}

TEST(PackExplicitAlpha, TexelsOutsideTheClippedBlockGiveZero) {
  uint32_t alpha[16];
  for (int32_t k = 0; k < 16; ++k) alpha[k] = 255;
  Bytes b{};
  PackExplicitAlpha(alpha, 255, 3, 2, b.data());
  // Rows 0 and 1: nibbles 0-2 are 15; rows 2 and 3 are zero words.
  EXPECT_EQ(b, (Bytes{0xFF, 0x0F, 0xFF, 0x0F, 0x00, 0x00, 0x00, 0x00}));
}

TEST(PackExplicitAlpha, NibblesArePlacedByColumn) {
  uint32_t alpha[16] = {};
  alpha[0] = 17;       // row 0, x 0
  alpha[3] = 34;       // row 0, x 3
  alpha[4 + 1] = 255;  // row 1, x 1
  Bytes b{};
  PackExplicitAlpha(alpha, 255, 4, 4, b.data());
  EXPECT_EQ(b, (Bytes{0x01, 0x20, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

uint32_t AlphaCode(const Bytes& b, int32_t k) {
  uint64_t bits = 0;
  for (int32_t i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(b[2 + i]) << (8 * i);
  return static_cast<uint32_t>((bits >> (3 * k)) & 7);
}

// A fitter result with value i on code i % 8.
AlphaBlockFit AlphaFit(int32_t levels, int32_t end0, int32_t end1) {
  AlphaBlockFit fit;
  fit.count = 16;
  fit.levels = levels;
  fit.end0 = end0;
  fit.end1 = end1;
  for (int32_t i = 0; i < 16; ++i) fit.code[i] = i % 8;
  return fit;
}

TEST(PackInterpolatedAlpha, EqualEndsAt255BecomeSixLevelsWithCodeZero) {
  SlotMap slot;
  FillIdentitySlots(slot);
  AlphaBlockFit fit = AlphaFit(8, 255, 255);
  Bytes b{};
  PackInterpolatedAlpha(fit, slot, b.data());
  EXPECT_EQ(b, (Bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));
}

TEST(PackInterpolatedAlpha, EightLevelsInRisingOrderAreExchangedAndMirrored) {
  SlotMap slot;
  FillIdentitySlots(slot);
  AlphaBlockFit fit = AlphaFit(8, 10, 200);
  Bytes b{};
  PackInterpolatedAlpha(fit, slot, b.data());
  EXPECT_EQ(b[0], 200);
  EXPECT_EQ(b[1], 10);
  const uint32_t expected[8] = {1, 0, 7, 6, 5, 4, 3, 2};
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(AlphaCode(b, k), expected[k % 8]) << k;
}

TEST(PackInterpolatedAlpha, EightLevelsInFallingOrderAreKept) {
  SlotMap slot;
  FillIdentitySlots(slot);
  AlphaBlockFit fit = AlphaFit(8, 200, 10);
  Bytes b{};
  PackInterpolatedAlpha(fit, slot, b.data());
  EXPECT_EQ(b[0], 200);
  EXPECT_EQ(b[1], 10);
  for (int32_t k = 0; k < 16; ++k) EXPECT_EQ(AlphaCode(b, k), static_cast<uint32_t>(k % 8)) << k;
}

TEST(PackInterpolatedAlpha, SixLevelsInFallingOrderAreExchangedAndKeepCodes6And7) {
  SlotMap slot;
  FillIdentitySlots(slot);
  slot[9] = -1;
  AlphaBlockFit fit = AlphaFit(6, 180, 40);
  fit.count = 15;
  Bytes b{};
  PackInterpolatedAlpha(fit, slot, b.data());
  EXPECT_EQ(b[0], 40);
  EXPECT_EQ(b[1], 180);
  const uint32_t expected[8] = {1, 0, 5, 4, 3, 2, 6, 7};
  for (int32_t k = 0; k < 16; ++k) {
    if (k == 9) {
      EXPECT_EQ(AlphaCode(b, k), 0u);
      continue;
    }
    EXPECT_EQ(AlphaCode(b, k), expected[slot[k] % 8]) << k;
  }
}

TEST(PackInterpolatedAlpha, EqualEndsAtZeroGiveZeroThenOne) {
  SlotMap slot;
  FillIdentitySlots(slot);
  AlphaBlockFit fit = AlphaFit(8, 0, 0);
  Bytes b{};
  PackInterpolatedAlpha(fit, slot, b.data());
  EXPECT_EQ(b, (Bytes{0x00, 0x01, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace quarn
