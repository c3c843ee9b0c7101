// The ACE texture file: header, level tables, the sink's state machine, the
// filler, and what DXTcompressACE leaves on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "codec/api/ace_texture_header.h"
#include "codec/api/export_state.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/engine_levels.h"
#include "support/test_images.h"

namespace quarn {
namespace {

std::string Text(const uint8_t* at, size_t length) { return std::string(reinterpret_cast<const char*>(at), length); }

TEST(AceHeader, HoldsTheFixedFieldsAndTheImagesSizeAndChannels) {
  const auto header = BuildAceHeader(64, 32, 4);
  const uint8_t* h = header.data();
  EXPECT_EQ(Text(h, 16), "SIMISA@@@@@@@@@@");
  EXPECT_EQ(LoadLE32(h + 16), 1u);
  EXPECT_EQ(LoadLE32(h + 20), 17u);
  EXPECT_EQ(LoadLE32(h + 24), 64u);
  EXPECT_EQ(LoadLE32(h + 28), 32u);
  EXPECT_EQ(LoadLE32(h + 32), 18u);
  EXPECT_EQ(LoadLE32(h + 36), 4u);
  EXPECT_EQ(LoadLE32(h + 40), 0u);
  EXPECT_EQ(Text(h + 44, 16), std::string("Unknown") + std::string(9, '\0'));
  const std::string creator = "ACE File Created by Quarn.dll (Freeware use only)";
  EXPECT_EQ(Text(h + 60, 64), creator + std::string(64 - creator.size(), '\0'));
  EXPECT_EQ(LoadLE32(h + 124), 0u);
  EXPECT_EQ(AceChannelCount(FormatDXT1a), 4);
  EXPECT_EQ(AceChannelCount(FormatDXT1), 3);
  EXPECT_EQ(AceChannelCount(Format565), 3);
}

uint32_t FloatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(AceLevelTable, MatchesTheEightFixedTablesByteForByte) {
  struct Case {
    int32_t width, channels;
    size_t length;
    uint32_t a, b;
    std::vector<uint32_t> offsets;
  };
  const Case cases[] = {
      {64, 3, 116, 1938, 0, {228, 2280, 2796, 2928, 2964, 2976, 2988}},
      {128, 3, 120, 5540, 0, {232, 8428, 10480, 10996, 11128, 11164, 11176, 11188}},
      {256, 3, 124, 4060, FloatBits(100.0f), {236, 33008, 41204, 43256, 43772, 43904, 43940, 43952, 43964}},
      {512, 3, 128, 5436, FloatBits(150.0f),
       {240, 131316, 164088, 172284, 174336, 174852, 174984, 175020, 175032, 175044}},
      {64, 4, 132, 1844, 0, {244, 2296, 2812, 2944, 2980, 2992, 3006}},
      {128, 4, 136, 4062, 0, {248, 8444, 10496, 11012, 11144, 11180, 11192, 11206}},
      {256, 4, 140, 2074, 0, {252, 33024, 41220, 43272, 43788, 43920, 43956, 43968, 43982}},
      {512, 4, 144, 6038, 0, {256, 131332, 164104, 172300, 174352, 174868, 175000, 175036, 175048, 175062}},
  };
  EXPECT_EQ(FloatBits(100.0f), 0x42C80000u);
  EXPECT_EQ(FloatBits(150.0f), 0x43160000u);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << ", " << c.channels << " channels");
    const std::vector<uint8_t> table = BuildAceLevelTable(c.width, c.channels);
    ASSERT_EQ(table.size(), c.length);
    const uint8_t* t = table.data();
    EXPECT_EQ(LoadLE32(t), 0u);
    EXPECT_EQ(LoadLE32(t + 4), c.a);
    EXPECT_EQ(LoadLE32(t + 8), c.b);
    EXPECT_EQ(LoadLE32(t + 12), c.channels == 4 ? 16u : 14u);
    EXPECT_EQ(LoadLE32(t + 16), 18u);
    EXPECT_EQ(std::vector<uint8_t>(t + 20, t + 40), std::vector<uint8_t>(20, 0));
    const uint32_t descriptors[4][2] = {{8, 3}, {8, 4}, {8, 5}, {1, 2}};
    for (int32_t i = 0; i < c.channels; ++i) {
      const uint8_t* d = t + 40 + 16 * i;
      EXPECT_EQ(LoadLE32(d), descriptors[i][0]);
      EXPECT_EQ(LoadLE32(d + 4), 0u);
      EXPECT_EQ(LoadLE32(d + 8), descriptors[i][1]);
      EXPECT_EQ(LoadLE32(d + 12), 0u);
    }
    std::vector<uint32_t> offsets;
    for (const uint8_t* o = t + 40 + 16 * c.channels; o < t + table.size(); o += 4) offsets.push_back(LoadLE32(o));
    EXPECT_EQ(offsets, c.offsets);
  }
  for (int32_t width : {0, 32, 100, 1024}) EXPECT_TRUE(BuildAceLevelTable(width, 3).empty()) << width;
}

// A level as the sink writes it: its byte count, then its bytes.
void AppendWithLengthWord(std::vector<uint8_t>& file, const std::vector<uint8_t>& level) {
  uint8_t length[4];
  StoreLE32(length, static_cast<uint32_t>(level.size()));
  file.insert(file.end(), length, length + 4);
  file.insert(file.end(), level.begin(), level.end());
}

// Drives the sink by hand, into a temporary file standing in for the export's
// output.
class AceSinkTest : public testing::Test {
 protected:
  void SetUp() override {
    state_.outputFile = std::fopen(folder_.File("sink.ace").c_str(), "wb+");
    ASSERT_NE(state_.outputFile, nullptr);
    state_.aceState = 1;
  }
  void TearDown() override { CloseOutputFile(); }
  std::vector<uint8_t> Written() {
    std::vector<uint8_t> bytes(static_cast<size_t>(std::ftell(state_.outputFile)));
    std::rewind(state_.outputFile);
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), state_.outputFile), bytes.size());
    return bytes;
  }
  TempFolder folder_;
  ExportState& state_ = GetExportState();
};

TEST_F(AceSinkTest, WritesLevelsUpToTheFirst8ByteOneThenSwallowsOneAndIgnoresTheRest) {
  const std::vector<uint8_t> big(32, 0xA1), eight(8, 0xB2), next(8, 0xC3), last(2, 0xD4);
  EXPECT_EQ(AceLevelSink(big.data(), 0, 32), 0);
  EXPECT_EQ(state_.aceState, 1);
  EXPECT_EQ(AceLevelSink(eight.data(), 1, 8), 0);
  EXPECT_EQ(state_.aceState, 0);
  EXPECT_EQ(AceLevelSink(next.data(), 2, 8), 0);  // moves the state on, writes nothing
  EXPECT_EQ(state_.aceState, -1);
  EXPECT_EQ(state_.lastLevel, 2);
  EXPECT_EQ(AceLevelSink(last.data(), 3, 2), 0);  // ignored, lastLevel included
  EXPECT_EQ(state_.lastLevel, 2);

  std::vector<uint8_t> expected;
  AppendWithLengthWord(expected, big);
  AppendWithLengthWord(expected, eight);
  EXPECT_EQ(Written(), expected);
}

TEST_F(AceSinkTest, WithoutAnOpenFileReportsOneUnlessFinished) {
  CloseOutputFile();
  state_.lastLevel = 9;
  const uint8_t bytes[8] = {};
  EXPECT_EQ(AceLevelSink(bytes, 0, 8), 1);
  EXPECT_EQ(state_.aceState, 1);
  state_.aceState = -1;
  EXPECT_EQ(AceLevelSink(bytes, 0, 8), 0);
  EXPECT_EQ(state_.lastLevel, 9);
}

class AceExportTest : public testing::Test {
 protected:
  TempFolder folder_;
};

// Pixel formats show the container's rules without the DXT encoder: levels
// with length words up to the first 8-byte level, then the filler.
TEST_F(AceExportTest, WritesHeaderTableLevelsWithLengthWordsAndFiller) {
  struct Case {
    int32_t side, format;
    size_t levelsWritten;  // levels that get a length word
    int32_t result;
  };
  const Case cases[] = {
      {64, Format565, 6, 6},   // 2 x 2 in 565 is the first 8-byte level; 1 x 1 only moves the state
      {64, Format8888, 7, 6},  // no level of 8 bytes: every level is written
      {64, Format1555, 6, 6},
      {32, Format4444, 5, 5},  // no table for width 32
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side << " format " << c.format);
    std::vector<uint8_t> image = GradientImage(c.side, c.side, 4);
    image[0] = 7, image[1] = 8, image[2] = 9;
    const auto levels = CollectEngineLevels(image, c.side, c.side, c.format, 4, folder_.File("scratch"));
    ASSERT_GE(levels.size(), c.levelsWritten);
    const std::string path = folder_.File("out.ace");
    EXPECT_EQ(DXTcompressACE(image.data(), c.side, c.side, c.format, 1, 0, 4, path.c_str()), c.result);
    EXPECT_EQ(GetExportState().aceState, c.levelsWritten == levels.size() ? 1 : -1);

    const auto header = BuildAceHeader(c.side, c.side, 3);
    std::vector<uint8_t> expected(header.begin(), header.end());
    const auto table = BuildAceLevelTable(c.side, 3);
    EXPECT_EQ(table.empty(), c.side == 32);
    expected.insert(expected.end(), table.begin(), table.end());
    for (size_t i = 0; i < c.levelsWritten; ++i) AppendWithLengthWord(expected, levels[i]);
    for (int repeat = 0; repeat < 5; ++repeat) expected.insert(expected.end(), {7, 8, 9});
    EXPECT_EQ(ReadFileBytes(path), expected);
  }
}

TEST_F(AceExportTest, RefusedImageLeavesHeaderAndFillerAndTheEarlierResult) {
  const std::vector<uint8_t> image = SolidImage(100, 100, 3, 1, 2, 3);
  const std::vector<uint8_t> small = GradientImage(4, 4, 3);
  ASSERT_EQ(DXTcompressBMP(small.data(), 4, 4, Format565, 0, 0, 3, folder_.File("a.bmp").c_str()), 2);

  const std::string path = folder_.File("refused.ace");
  EXPECT_EQ(DXTcompressACE(image.data(), 100, 100, FormatDXT1, 0, 0, 3, path.c_str()), 2);
  const std::vector<uint8_t> file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 128u + 15u);
  const auto header = BuildAceHeader(100, 100, 3);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
  for (size_t i = 128; i < file.size(); i += 3) {
    EXPECT_EQ(file[i], 1);
    EXPECT_EQ(file[i + 1], 2);
    EXPECT_EQ(file[i + 2], 3);
  }
}

TEST_F(AceExportTest, NullImageOrUnwritableOutputGivesZeroAndNoFile) {
  const std::vector<uint8_t> image = GradientImage(64, 64, 4);
  const std::string path = folder_.File("null.ace");
  EXPECT_EQ(DXTcompressACE(nullptr, 64, 64, FormatDXT1, 0, 0, 4, path.c_str()), 0);
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(DXTcompressACE(image.data(), 64, 64, Format565, 0, 0, 4, folder_.File("no/such/x.ace").c_str()), 0);
  EXPECT_EQ(DXTcompressACE(image.data(), 64, 64, Format565, 0, 0, 4, nullptr), 0);
}

// The DXT1 files: the length words stop at the 4 x 4 level, the filler takes
// the place of 2 x 2 and 1 x 1, and the table's offsets land on each level.
TEST_F(AceExportTest, Dxt1FilesHaveTheirExactLengthsAndResults) {
  struct Case {
    int32_t side, format;
    size_t length;
    int32_t result;
  };
  const Case cases[] = {{64, FormatDXT1, 3007, 5},
                        {64, FormatDXT1a, 3026, 5},
                        {256, FormatDXT1, 43983, 7},
                        {512, FormatDXT1a, 175082, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side << " format " << c.format);
    std::vector<uint8_t> image = GradientImage(c.side, c.side, 4);
    image[0] = 1, image[1] = 2, image[2] = 3;
    const std::string path = folder_.File("dxt.ace");
    EXPECT_EQ(DXTcompressACE(image.data(), c.side, c.side, c.format, 0, 0, 4, path.c_str()), c.result);
    const std::vector<uint8_t> file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), c.length);
    const int32_t channels = c.format == FormatDXT1a ? 4 : 3;
    EXPECT_EQ(LoadLE32(file.data() + 36), static_cast<uint32_t>(channels));
    // Each level's length word sits where the table says, down to 4 x 4.
    const size_t offsets = 128 + 40 + 16 * static_cast<size_t>(channels);
    for (int32_t side = c.side, level = 0; side >= 4; side /= 2, ++level) {
      const uint32_t at = 16 + LoadLE32(file.data() + offsets + 4 * static_cast<size_t>(level));
      ASSERT_LT(at + 4, file.size());
      EXPECT_EQ(LoadLE32(file.data() + at), static_cast<uint32_t>(side * side / 2)) << "side " << side;
    }
    const size_t fillerLength = 3 * (channels == 4 ? 6 : 5);
    for (size_t i = file.size() - fillerLength; i < file.size(); i += 3) {
      EXPECT_EQ(std::vector<uint8_t>(file.begin() + i, file.begin() + i + 3), (std::vector<uint8_t>{1, 2, 3}));
    }
  }
}

}  // namespace
}  // namespace quarn
