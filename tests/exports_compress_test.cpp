// DXTcompress, DXTcompressBMP and DXTcreateMIPS as a host sees them: what
// they return, what they call back and what they leave on disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/api/export_state.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/test_images.h"

namespace quarn {
namespace {

struct Collected {
  std::vector<int32_t> levels;
  std::vector<int32_t> byteCounts;
  std::vector<std::vector<uint8_t>> bytes;
};
Collected g_collected;

int32_t QUARN_CALL CollectLevel(const uint8_t* bytes, int32_t level, int32_t byteCount) {
  g_collected.levels.push_back(level);
  g_collected.byteCounts.push_back(byteCount);
  g_collected.bytes.emplace_back(bytes, bytes + byteCount);
  return 0;
}

class ExportsTest : public testing::Test {
 protected:
  void SetUp() override { g_collected = Collected(); }
  TempFolder folder_;
};

TEST_F(ExportsTest, DXTcompressWithCallbackLeavesAnEmptyFile) {
  const std::vector<uint8_t> image = GradientImage(16, 8, 4);
  const std::string path = folder_.File("out.dds");
  EXPECT_EQ(DXTcompress(image.data(), 16, 8, Format565, 0, 0, 4, CollectLevel, path.c_str()), 0);
  EXPECT_EQ(g_collected.levels, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(g_collected.byteCounts, (std::vector<int32_t>{256, 64, 16, 4, 2}));
  EXPECT_TRUE(FileExists(path));
  EXPECT_TRUE(ReadFileBytes(path).empty());
}

TEST_F(ExportsTest, DXTcompressIntoAMissingFolderDoesNothing) {
  const std::vector<uint8_t> image = GradientImage(8, 8, 4);
  const std::string path = folder_.File("no/such/folder/out.dds");
  EXPECT_EQ(DXTcompress(image.data(), 8, 8, Format8888, 0, 0, 4, CollectLevel, path.c_str()), 0);
  EXPECT_TRUE(g_collected.levels.empty());
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(DXTcompress(image.data(), 8, 8, Format8888, 0, 0, 4, CollectLevel, nullptr), 0);
  EXPECT_TRUE(g_collected.levels.empty());
}

TEST_F(ExportsTest, DXTcompressWithoutCallbackWritesHeaderThenEveryLevel) {
  const std::vector<uint8_t> image = GradientImage(6, 5, 3);
  const std::string path = folder_.File("out.dds");
  // The same image through the callback gives the levels to compare with.
  DXTcompress(image.data(), 6, 5, Format4444, 0, 1, 3, CollectLevel, folder_.File("ignored").c_str());
  EXPECT_EQ(DXTcompress(image.data(), 6, 5, Format4444, 0, 1, 3, nullptr, path.c_str()), 0);

  const std::vector<uint8_t> file = ReadFileBytes(path);
  const auto header = BuildDdsHeader(6, 5, Format4444, 60);
  std::vector<uint8_t> expected(header.begin(), header.end());
  for (const auto& level : g_collected.bytes) expected.insert(expected.end(), level.begin(), level.end());
  EXPECT_EQ(file, expected);
}

TEST_F(ExportsTest, RefusedImagesLeaveAnEmptyDdsFile) {
  const std::vector<uint8_t> image = GradientImage(8, 8, 4);
  struct Case {
    int32_t width, height, format, planes;
  };
  const Case cases[] = {{0, 8, Format565, 4}, {8, 8, 21, 4}, {-8, 8, Format565, 4}, {8, 8, Format565, 2},
                        {40000, 1, Format888, 4}, {8, 8, 65536 + Format565, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " format " << c.format);
    const std::string path = folder_.File("refused.dds");
    EXPECT_EQ(DXTcompress(image.data(), c.width, c.height, c.format, 0, 0, c.planes, nullptr, path.c_str()), 0);
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(ReadFileBytes(path).empty());
  }
}

TEST_F(ExportsTest, DXTcompressBMPWritesHeaderAndAllLevelsAndReturnsTheLastLevel) {
  const std::vector<uint8_t> image = GradientImage(64, 64, 4);
  const std::string path = folder_.File("tex.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 64, 64, Format565, 1, 0, 4, path.c_str()), 6);
  const std::vector<uint8_t> file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 11008u);
  EXPECT_EQ(LoadLE32(file.data() + 2), 11008u);  // file size field equals the length
  EXPECT_EQ(LoadLE32(file.data() + 10), 86u);
  EXPECT_EQ(LoadLE32(file.data() + 34), 10922u);
  EXPECT_EQ(file[66 + 14], 6);

  // Format 888 has no header: the file starts with the first pixel.
  const std::string plain = folder_.File("plain.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 64, 64, Format888, 1, 0, 4, plain.c_str()), 6);
  const std::vector<uint8_t> plainFile = ReadFileBytes(plain);
  ASSERT_GE(plainFile.size(), 3u);
  EXPECT_EQ(plainFile[0], image[0]);
  EXPECT_EQ(plainFile[1], image[1]);
  EXPECT_EQ(plainFile[2], image[2]);
}

TEST_F(ExportsTest, DXTcompressBMPBlockFormats) {
  const std::vector<uint8_t> image = GradientImage(256, 256, 4);
  // DXT1 with mip maps: the header counts down to 4 x 4 (43762 bytes), the
  // 2 x 2 and 1 x 1 blocks follow all the same.
  const std::string dxt1 = folder_.File("dxt1.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 256, 256, FormatDXT1, 1, 0, 4, dxt1.c_str()), 8);
  const std::vector<uint8_t> file = ReadFileBytes(dxt1);
  ASSERT_EQ(file.size(), 43778u);
  EXPECT_EQ(LoadLE32(file.data() + 2), 43762u);
  // DXT5 has no header: the file is the blocks alone.
  const std::string dxt5 = folder_.File("dxt5.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 256, 256, FormatDXT5, 1, 0, 4, dxt5.c_str()), 8);
  EXPECT_EQ(ReadFileBytes(dxt5).size(), 16u * (4096 + 1024 + 256 + 64 + 16 + 4 + 1 + 1 + 1));
  // A 100 x 100 DXT1 image is refused: the file keeps its 74-byte header and
  // the result is the previous call's last level.
  const std::string refused = folder_.File("refused.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 100, 100, FormatDXT1, 1, 0, 4, refused.c_str()), 8);
  EXPECT_EQ(ReadFileBytes(refused).size(), 74u);
}

TEST_F(ExportsTest, LastLevelCarriesOverWhenTheEngineRefuses) {
  const std::vector<uint8_t> image = GradientImage(8, 4, 4);
  EXPECT_EQ(DXTcompressBMP(image.data(), 8, 4, Format8888, 0, 0, 4, folder_.File("a.bmp").c_str()), 3);
  // 0 x 4 is refused: the file keeps only its header, the result is the
  // previous call's last level.
  const std::string refused = folder_.File("b.bmp");
  EXPECT_EQ(DXTcompressBMP(image.data(), 0, 4, Format8888, 0, 0, 4, refused.c_str()), 3);
  EXPECT_EQ(ReadFileBytes(refused).size(), 74u);
  // An output that cannot be created gives 0.
  EXPECT_EQ(DXTcompressBMP(image.data(), 8, 4, Format8888, 0, 0, 4, folder_.File("x/y.bmp").c_str()), 0);
}

TEST_F(ExportsTest, DXTcreateMIPSWritesOneFilePerLevelEachDeclaringItsOwnSize) {
  struct Case {
    int32_t width, height;
    std::vector<std::pair<uint32_t, uint32_t>> declared;
  };
  const Case cases[] = {
      {64, 64, {{64, 64}, {32, 32}, {16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}}},
      {6, 6, {{6, 6}, {3, 3}, {2, 2}, {1, 1}}},  // odd sides halve rounding up, like the data
      {8, 2, {{8, 2}, {4, 1}, {2, 1}, {1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    TempFolder folder;
    const std::vector<uint8_t> image = GradientImage(c.width, c.height, 4);
    const std::string prefix = folder.File("m");
    EXPECT_EQ(DXTcreateMIPS(image.data(), c.width, c.height, Format565, 0, 4, prefix.c_str()),
              static_cast<int32_t>(c.declared.size()) - 1);
    for (size_t level = 0; level < c.declared.size(); ++level) {
      const std::vector<uint8_t> file = ReadFileBytes(prefix + std::to_string(level) + ".bmp");
      const auto [w, h] = c.declared[level];
      ASSERT_EQ(file.size(), 86u + 2u * w * h) << "level " << level;
      EXPECT_EQ(LoadLE32(file.data() + 18), w);
      EXPECT_EQ(LoadLE32(file.data() + 22), h);
      EXPECT_EQ(file[66 + 14], 0);  // mipmap flag off: no extra levels declared
    }
    EXPECT_FALSE(FileExists(prefix + std::to_string(c.declared.size()) + ".bmp"));
  }
}

TEST_F(ExportsTest, DXTcreateMIPSRefusesAPrefixThatDoesNotFit) {
  const std::vector<uint8_t> image = GradientImage(4, 4, 4);
  const std::string prefix = folder_.File(std::string(300, 'p'));
  GetExportState().lastLevel = 5;
  EXPECT_EQ(DXTcreateMIPS(image.data(), 4, 4, Format565, 0, 4, prefix.c_str()), 0);
  EXPECT_EQ(DXTcreateMIPS(image.data(), 4, 4, Format565, 0, 4, nullptr), 0);
  EXPECT_EQ(GetExportState().lastLevel, 5);
}

TEST(FsTextureHeader, DeclaredLevelsAndSizes) {
  struct Case {
    int32_t format, width, height;
    bool mipmap;
    uint32_t headerLength, imageSize, extraLevels;
  };
  const Case cases[] = {
      {FormatDXT1, 256, 256, true, 74, 43688, 6},  {FormatDXT1, 256, 256, false, 74, 32768, 0},
      {Format565, 64, 64, true, 86, 10922, 6},     {FormatDXT1, 256, 64, true, 74, 10912, 4},
      {FormatDXT3, 128, 128, true, 74, 21840, 5},  {Format8888, 4, 4, true, 74, 84, 2},
      {FormatDXT1, 1, 1, false, 74, 0, 0},         {FormatDXT1a, 16, 16, true, 74, 168, 2},
      {Format4444, 4, 2, true, 86, 20, 1},          {Format1555, 3, 3, true, 74, 20, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " format " << c.format << " mip " << c.mipmap);
    const std::vector<uint8_t> h = BuildFsHeader(c.format, c.width, c.height, c.mipmap);
    ASSERT_EQ(h.size(), c.headerLength);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    const uint32_t imageSize = LoadLE32(h.data() + 34);
    EXPECT_EQ(imageSize, c.imageSize);
    EXPECT_EQ(LoadLE32(h.data() + 2), imageSize + c.headerLength);
    EXPECT_EQ(LoadLE32(h.data() + 10), c.headerLength);
    EXPECT_EQ(LoadLE32(h.data() + 14), 40u);
    EXPECT_EQ(LoadLE32(h.data() + 18), static_cast<uint32_t>(c.width));
    EXPECT_EQ(LoadLE32(h.data() + 22), static_cast<uint32_t>(c.height));
    const uint8_t* ext = h.data() + (c.headerLength == 86 ? 66 : 54);
    EXPECT_EQ(LoadLE32(ext), FourCC('F', 'S', '7', '0'));
    EXPECT_EQ(LoadLE32(ext + 4), 20u);
    EXPECT_EQ(ext[14], c.extraLevels);
  }
  EXPECT_TRUE(BuildFsHeader(FormatDXT5, 64, 64, true).empty());
  EXPECT_TRUE(BuildFsHeader(Format888, 64, 64, true).empty());
  EXPECT_TRUE(BuildFsHeader(Format555, 64, 64, true).empty());
  EXPECT_TRUE(BuildFsHeader(42, 64, 64, true).empty());
}

TEST(FsTextureHeader, VariantFields) {
  struct Case {
    int32_t format;
    uint32_t bitsPerPixel, compression, alphaClass;
    uint32_t masks[3];
  };
  const Case cases[] = {
      {FormatDXT1, 16, FourCC('D', 'X', 'T', '1'), 256, {0, 0, 0}},
      {FormatDXT1a, 16, FourCC('D', 'X', 'T', '1'), 512, {0, 0, 0}},
      {FormatDXT3, 16, FourCC('D', 'X', 'T', '3'), 1024, {0, 0, 0}},
      {Format4444, 16, 3, 1024, {0x0F00, 0x00F0, 0x000F}},
      {Format1555, 16, 0, 512, {0, 0, 0}},
      {Format565, 16, 3, 256, {0xF800, 0x07E0, 0x001F}},
      {Format8888, 32, 0, 1024, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const std::vector<uint8_t> h = BuildFsHeader(c.format, 8, 8, false);
    EXPECT_EQ(LoadLE16(h.data() + 26), 1u);
    EXPECT_EQ(LoadLE16(h.data() + 28), c.bitsPerPixel);
    EXPECT_EQ(LoadLE32(h.data() + 30), c.compression);
    const uint8_t* ext = h.data() + (h.size() == 86 ? 66 : 54);
    EXPECT_EQ(LoadLE16(ext + 8), c.alphaClass);
    if (h.size() == 86) {
      EXPECT_EQ(LoadLE32(h.data() + 54), c.masks[0]);
      EXPECT_EQ(LoadLE32(h.data() + 58), c.masks[1]);
      EXPECT_EQ(LoadLE32(h.data() + 62), c.masks[2]);
    }
  }
}

}  // namespace
}  // namespace quarn
