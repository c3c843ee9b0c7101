// CombineAlphaDXT1: its block encoder's ordering rules, and whole merges
// through our Vorel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "codec/api/alpha_merge_block.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/dxt_test_decoder.h"
#include "support/image_files.h"
#include "support/temporary_files.h"
#include "support/test_images.h"

namespace quarn {
namespace {

// A 4 x 4 block given as 565 values and alpha bytes, row by row.
struct BlockPixels {
  uint8_t colour[4][12];
  uint8_t alpha[4][4];

  BlockPixels(const uint16_t (&packed)[16], const uint8_t (&alphas)[16]) {
    for (int r = 0; r < 4; ++r) {
      for (int i = 0; i < 4; ++i) {
        const uint16_t v = packed[r * 4 + i];
        colour[r][3 * i] = static_cast<uint8_t>((v & 31) << 3);
        colour[r][3 * i + 1] = static_cast<uint8_t>(((v >> 5) & 63) << 2);
        colour[r][3 * i + 2] = static_cast<uint8_t>((v >> 11) << 3);
        alpha[r][i] = alphas[r * 4 + i];
      }
    }
  }
  std::vector<uint8_t> Encode() const {
    const uint8_t* colourRows[4] = {colour[0], colour[1], colour[2], colour[3]};
    const uint8_t* alphaRows[4] = {alpha[0], alpha[1], alpha[2], alpha[3]};
    std::vector<uint8_t> block(kMergeBlockBytes);
    EncodeMergeBlock(colourRows, alphaRows, block.data());
    return block;
  }
};

int Code(const std::vector<uint8_t>& block, int pixel) { return (block[4 + pixel / 4] >> (2 * (pixel % 4))) & 3; }

constexpr uint8_t kOpaque[16] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};

TEST(MergeBlockEncoder, OpaqueBlockCodesByQuartersOfTheRange) {
  // lo = 0, hi = 400: thresholds 100, 200 and 300, each exclusive.
  const uint16_t packed[16] = {0, 400, 100, 101, 201, 301, 200, 300, 99, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<uint8_t> block = BlockPixels(packed, kOpaque).Encode();
  EXPECT_EQ(LoadLE16(block.data()), 400u);  // four-colour mode: colour 0 is hi
  EXPECT_EQ(LoadLE16(block.data() + 2), 0u);
  const int expected[9] = {1, 0, 1, 3, 2, 0, 3, 2, 1};
  for (int pixel = 0; pixel < 9; ++pixel) EXPECT_EQ(Code(block, pixel), expected[pixel]) << "pixel " << pixel;
}

TEST(MergeBlockEncoder, OneColourBlockHasEqualEndPointsAndZeroCodes) {
  uint16_t packed[16];
  std::fill(std::begin(packed), std::end(packed), uint16_t{0xA5C3});
  const std::vector<uint8_t> block = BlockPixels(packed, kOpaque).Encode();
  EXPECT_EQ(block, (std::vector<uint8_t>{0xC3, 0xA5, 0xC3, 0xA5, 0, 0, 0, 0}));
}

TEST(MergeBlockEncoder, AnyAlphaBelow128MakesAThreeColourBlockWithCode3ThereOnly) {
  // lo = 30, hi = 330: thirds at 100 and 200 above lo.
  const uint16_t packed[16] = {30, 330, 130, 131, 230, 231, 30, 30, 30, 30, 30, 30, 30, 30, 5000, 30};
  uint8_t alphas[16];
  std::copy(std::begin(kOpaque), std::end(kOpaque), alphas);
  alphas[13] = 127;  // the threshold: 127 is transparent, 128 is not
  alphas[12] = 128;
  alphas[14] = 0;  // transparent, yet its colour still counts for hi
  const std::vector<uint8_t> block = BlockPixels(packed, alphas).Encode();
  EXPECT_EQ(LoadLE16(block.data()), 30u);  // three-colour mode: colour 0 = lo <= colour 1 = hi
  EXPECT_EQ(LoadLE16(block.data() + 2), 5000u);
  for (int pixel = 0; pixel < 16; ++pixel) {
    EXPECT_EQ(Code(block, pixel) == 3, pixel == 13 || pixel == 14) << "pixel " << pixel;
  }

  // With hi at 330 the thirds fall between the middle values.
  uint16_t narrow[16];
  std::copy(std::begin(packed), std::end(packed), narrow);
  narrow[14] = 30;
  const std::vector<uint8_t> second = BlockPixels(narrow, alphas).Encode();
  EXPECT_EQ(LoadLE16(second.data() + 2), 330u);
  const int expected[6] = {0, 1, 0, 2, 2, 1};  // d = 0, 300, 100, 101, 200, 201
  for (int pixel = 0; pixel < 6; ++pixel) EXPECT_EQ(Code(second, pixel), expected[pixel]) << "pixel " << pixel;
}

// A 256 x 256 pair made of 4 x 4 tiles of 64 x 64 pixels, each tile one
// colour and one alpha, so that every level down to 4 x 4 (resampled by
// averaging) keeps exact tile values.
constexpr int32_t kSide = 256;
constexpr uint8_t kTileAlpha[4][4] = {{255, 0, 127, 128}, {200, 100, 255, 0}, {0, 255, 128, 64}, {255, 255, 0, 255}};

uint8_t TileBlue(int tx, int ty) { return static_cast<uint8_t>(tx * 60 + 10 + ty); }
uint8_t TileGreen(int tx, int ty) { return static_cast<uint8_t>(ty * 70 + 5 + tx); }
uint8_t TileRed(int tx, int ty) { return static_cast<uint8_t>((tx + ty) * 30 + 40); }

// The opaque pixel 0xAARRGGBB that a colour stands for once stored as 565.
uint32_t Opaque565(uint8_t blue, uint8_t green, uint8_t red) {
  const uint32_t r = red >> 3, g = green >> 2, b = blue >> 3;
  return 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}

class CombineAlphaTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint8_t> colour, alpha;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const int tx = x / 64, ty = y / 64;
        colour.insert(colour.end(), {TileBlue(tx, ty), TileGreen(tx, ty), TileRed(tx, ty)});
        alpha.push_back(kTileAlpha[ty][tx]);
      }
    }
    BmpFields colourFields, alphaFields;
    colourFields.width = alphaFields.width = kSide;
    colourFields.height = alphaFields.height = kSide;
    alphaFields.bitsPerPixel = 8;
    colour_ = folder_.File("colour.bmp");
    alpha_ = folder_.File("alpha.bmp");
    WriteFileBytes(colour_, BmpFile(colourFields, colour));
    WriteFileBytes(alpha_, BmpFile(alphaFields, alpha));
    mergeFilesBefore_ = TemporaryFilesStartingWith(kMergeFilePrefix);
  }
  void TearDown() override {
    // Every working file of the merge is gone again, whatever the outcome.
    for (const std::string& name : TemporaryFilesLeftBehind(kMergeFilePrefix, mergeFilesBefore_)) {
      ADD_FAILURE() << name << " left behind";
    }
  }

  TempFolder folder_;
  std::string colour_, alpha_;
  std::set<std::string> mergeFilesBefore_;
};

TEST_F(CombineAlphaTest, MergesSevenDecodableLevelsWithTransparencyWhereAlphaIsBelow128) {
  const std::string out = folder_.File("merged.bmp");
  WriteFileBytes(out, std::vector<uint8_t>(100000, 0x77));  // replaced entirely
  ASSERT_EQ(CombineAlphaDXT1(colour_.c_str(), alpha_.c_str(), out.c_str()), 1);
  const std::vector<uint8_t> file = ReadFileBytes(out);
  ASSERT_EQ(file.size(), 43762u);
  const std::vector<uint8_t> header = BuildFsHeader(FormatDXT1a, 256, 256, true);
  ASSERT_EQ(header.size(), 74u);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));

  size_t offset = 74;
  for (int32_t side = kSide; side >= 4; side /= 2) {
    SCOPED_TRACE(testing::Message() << "level " << side << " x " << side);
    const std::vector<uint32_t> texels = test::DecodeDxt(test::DxtKind::DXT1, file.data() + offset, side, side);
    offset += static_cast<size_t>(side) * static_cast<size_t>(side) / 2;
    const int32_t tile = side / 4;  // tile side at this level
    for (int32_t y = 0; y < side; ++y) {
      for (int32_t x = 0; x < side; ++x) {
        const int tx = x / tile, ty = y / tile;
        const uint32_t texel = texels[static_cast<size_t>(y * side + x)];
        const bool transparent = (texel >> 24) == 0;
        ASSERT_EQ(transparent, kTileAlpha[ty][tx] < 128) << "texel " << x << ", " << y;
        // Down to 16 x 16 each block lies inside one tile: one colour, kept
        // exactly up to its 565 precision.
        if (tile >= 4 && !transparent) {
          EXPECT_EQ(texel, Opaque565(TileBlue(tx, ty), TileGreen(tx, ty), TileRed(tx, ty))) << x << ", " << y;
        }
      }
    }
  }
  EXPECT_EQ(offset, file.size());
}

TEST_F(CombineAlphaTest, LargerSourcesAreReadAsIf256x256) {
  BmpFields colourFields, alphaFields;
  colourFields.width = alphaFields.width = 300;
  colourFields.height = alphaFields.height = 260;
  alphaFields.bitsPerPixel = 8;
  const std::string colour = folder_.File("big-colour.bmp"), alpha = folder_.File("big-alpha.bmp");
  WriteFileBytes(colour, BmpFile(colourFields, GradientImage(300, 260, 3)));
  WriteFileBytes(alpha, BmpFile(alphaFields, NoiseImage(300, 260, 1, 8)));
  const std::string out = folder_.File("big.bmp");
  EXPECT_EQ(CombineAlphaDXT1(colour.c_str(), alpha.c_str(), out.c_str()), 1);
  EXPECT_EQ(ReadFileBytes(out).size(), 43762u);
}

TEST_F(CombineAlphaTest, ALevelThatCannotBeProducedGivesZeroAndLeavesTheOutputAlone) {
  BmpFields small;
  small.width = small.height = 16;
  const std::string shortColour = folder_.File("short.bmp");
  WriteFileBytes(shortColour, BmpFile(small, NoiseImage(16, 16, 3, 4)));
  const std::string out = folder_.File("out.bmp");
  const std::vector<uint8_t> previous(10, 0x42);
  WriteFileBytes(out, previous);

  struct Case {
    const char* name;
    std::string colour, alpha;
  };
  const Case cases[] = {
      {"colour source too short for 256 rows", shortColour, alpha_},
      {"alpha source missing", colour_, folder_.File("missing.bmp")},
      {"colour source missing", folder_.File("missing.bmp"), alpha_},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CombineAlphaDXT1(c.colour.c_str(), c.alpha.c_str(), out.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(out), previous);
  }
  EXPECT_EQ(CombineAlphaDXT1(colour_.c_str(), alpha_.c_str(), nullptr), 0);
}

TEST_F(CombineAlphaTest, AFailedFinalCopyGivesZero) {
  const std::string intoMissingFolder = folder_.File("no/such/folder/out.bmp");
  EXPECT_EQ(CombineAlphaDXT1(colour_.c_str(), alpha_.c_str(), intoMissingFolder.c_str()), 0);
  EXPECT_FALSE(FileExists(intoMissingFolder));

#ifndef _WIN32
  // A read-only output is kept (on Windows the system's copy decides, and
  // emulators differ).
  const std::string readOnly = folder_.File("read-only.bmp");
  WriteFileBytes(readOnly, {1, 2, 3});
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  EXPECT_EQ(CombineAlphaDXT1(colour_.c_str(), alpha_.c_str(), readOnly.c_str()), 0);
  EXPECT_EQ(ReadFileBytes(readOnly), (std::vector<uint8_t>{1, 2, 3}));
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_all);
#endif
  // Nothing half-written beside the destinations either.
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    const std::string name = entry.path().filename().string();
    if (name != "colour.bmp" && name != "alpha.bmp" && name != "read-only.bmp") ADD_FAILURE() << name;
    ++entries;
  }
  EXPECT_GE(entries, 2u);
}

}  // namespace
}  // namespace quarn
