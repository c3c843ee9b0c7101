// FS70 BMP textures in the block formats: what DXTcompressBMP and
// DXTcreateMIPS place after the header, the 2 x 2 and 1 x 1 blocks included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/api/export_state.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/engine_levels.h"
#include "support/test_images.h"

namespace quarn {
namespace {

class FsDxtTest : public testing::Test {
 protected:
  std::vector<std::vector<uint8_t>> EngineLevels(const std::vector<uint8_t>& image, int32_t width, int32_t height,
                                                 int32_t format) {
    return CollectEngineLevels(image, width, height, format, 4, folder_.File("scratch"));
  }
  TempFolder folder_;
};

TEST_F(FsDxtTest, DXTcompressBMPPutsEveryLevelAfterTheHeaderWhateverItDeclares) {
  struct Case {
    int32_t width, height, format;
    uint8_t mipmap;
    size_t fileLength;
    uint32_t fileSizeField;
    uint8_t extraLevels;
    int32_t result;
  };
  const Case cases[] = {
      {256, 256, FormatDXT1, 1, 43778, 43762, 6, 8},  // the 2 x 2 and 1 x 1 blocks follow the declared levels
      {256, 256, FormatDXT1, 0, 43778, 32842, 0, 8},
      {256, 64, FormatDXT1, 1, 11026, 10986, 4, 8},
      {128, 128, FormatDXT3, 1, 21946, 21914, 5, 7},
      {16, 16, FormatDXT1a, 1, 74 + 128 + 32 + 8 + 8 + 8, 74 + 168, 2, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " format " << c.format << " mip "
                                    << int(c.mipmap));
    const std::vector<uint8_t> image = GradientImage(c.width, c.height, 4);
    const auto levels = EngineLevels(image, c.width, c.height, c.format);
    ASSERT_FALSE(levels.empty());
    const std::string path = folder_.File("tex.bmp");
    EXPECT_EQ(DXTcompressBMP(image.data(), c.width, c.height, c.format, c.mipmap, 0, 4, path.c_str()), c.result);

    const std::vector<uint8_t> file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), c.fileLength);
    EXPECT_EQ(LoadLE32(file.data() + 2), c.fileSizeField);
    EXPECT_EQ(file[54 + 14], c.extraLevels);
    std::vector<uint8_t> expected = BuildFsHeader(c.format, c.width, c.height, c.mipmap != 0);
    for (const auto& level : levels) expected.insert(expected.end(), level.begin(), level.end());
    EXPECT_EQ(file, expected);
    // The last two levels are one block each.
    EXPECT_EQ(levels[levels.size() - 2].size(), BlockBytes(c.format));
    EXPECT_EQ(levels.back().size(), BlockBytes(c.format));
  }
}

TEST_F(FsDxtTest, DXTcreateMIPSLevelFilesDownTo1x1) {
  const std::vector<uint8_t> image = GradientImage(8, 8, 4);
  const auto levels = EngineLevels(image, 8, 8, FormatDXT1);
  ASSERT_EQ(levels.size(), 4u);
  const std::string prefix = folder_.File("m");
  EXPECT_EQ(DXTcreateMIPS(image.data(), 8, 8, FormatDXT1, 0, 4, prefix.c_str()), 3);
  const uint32_t sides[4] = {8, 4, 2, 1};
  for (size_t level = 0; level < 4; ++level) {
    SCOPED_TRACE(testing::Message() << "level " << level);
    const std::vector<uint8_t> file = ReadFileBytes(prefix + std::to_string(level) + ".bmp");
    ASSERT_EQ(file.size(), 74u + levels[level].size());
    EXPECT_EQ(LoadLE32(file.data() + 18), sides[level]);
    EXPECT_EQ(LoadLE32(file.data() + 22), sides[level]);
    EXPECT_EQ(LoadLE32(file.data() + 34), sides[level] * sides[level] / 2);  // 0 for 1 x 1
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 74, file.end()), levels[level]);
  }
  EXPECT_EQ(levels.back().size(), 8u);
}

}  // namespace
}  // namespace quarn
