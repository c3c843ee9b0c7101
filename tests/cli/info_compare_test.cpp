// `quarn info` reads the headers of every file kind; `quarn compare` measures
// the difference between two pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "codec/engine/little_endian.h"
#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// An ACE texture of a 32x32 DXT1 image as the container lays it out: the
// 128-byte header, no level table for this width, each level down to 4x4
// behind its length word, then the 15-byte filler.
std::vector<uint8_t> SmallAce() {
  std::vector<uint8_t> file(128, 0);
  std::memcpy(file.data(), "SIMISA@@@@@@@@@@", 16);
  StoreLE32(&file[16], 1);
  StoreLE32(&file[20], 17);
  StoreLE32(&file[24], 32);
  StoreLE32(&file[28], 32);
  StoreLE32(&file[32], 18);
  StoreLE32(&file[36], 3);
  std::memcpy(&file[44], "Unknown", 7);
  for (uint32_t side = 32; side >= 4; side /= 2) {
    const uint32_t bytes = side * side / 2;
    file.resize(file.size() + 4);
    StoreLE32(&file[file.size() - 4], bytes);
    file.resize(file.size() + bytes, 0x55);
  }
  file.resize(file.size() + 15, 7);
  return file;
}

TEST(Info, DescribesEveryKindInTextAndJson) {
  TempFolder folder;
  WriteTga(folder.File("a.tga"), 5, 3, 4, GradientImage(5, 3, 4));
  WriteBmp24(folder.File("b.bmp"), 6, 2, GradientImage(6, 2, 3));
  WriteBytes(folder.File("c.ace"), SmallAce());
  ASSERT_EQ(RunTool({"compress", folder.File("a.tga"), "-f", "1555", "-o", folder.File("a.dds")}).exitCode, 0);
  ASSERT_EQ(RunTool({"compress", folder.File("a.tga"), "-f", "565", "--container", "fs70", "-o",
                     folder.File("a_fs70.bmp")})
                .exitCode,
            0);

  const ToolRun json = RunTool({"info", "--json", folder.File("a.dds"), folder.File("a_fs70.bmp"), folder.File("a.tga"),
                                folder.File("b.bmp"), folder.File("c.ace")});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  // 5x3 1555: levels 5x3, 3x2, 2x1, 1x1 of 30, 12, 4 and 2 bytes.
  EXPECT_TRUE(Has(json.out, "\"kind\": \"DDS texture\", \"format\": \"1555\", \"width\": 5, \"height\": 3")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"levels\": [{\"width\": 5, \"height\": 3, \"bytes\": 30}, {\"width\": 3, \"height\": 2, "
                            "\"bytes\": 12}, {\"width\": 2, \"height\": 1, \"bytes\": 4}, {\"width\": 1, \"height\": 1, "
                            "\"bytes\": 2}]"))
      << json.out;
  EXPECT_TRUE(Has(json.out, "\"mipCount\": 3")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"kind\": \"FS70 BMP texture\", \"format\": \"565\"")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"rows\": \"bottom row first\"")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"greenMask\": 2016")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"kind\": \"TGA image\", \"format\": \"32-bit true colour\", \"width\": 5")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"kind\": \"BMP image\", \"format\": \"24-bit\", \"width\": 6, \"height\": 2")) << json.out;
  EXPECT_TRUE(Has(json.out, "\"kind\": \"ACE texture\", \"format\": \"DXT1\", \"width\": 32")) << json.out;
  EXPECT_TRUE(Has(json.out, "{\"width\": 4, \"height\": 4, \"bytes\": 8}]")) << json.out;  // ACE levels end at 4x4

  const ToolRun text = RunTool({"info", folder.File("a.dds")});
  ASSERT_EQ(text.exitCode, 0);
  EXPECT_TRUE(Has(text.out, "format:    1555")) << text.out;
  EXPECT_TRUE(Has(text.out, "flags: 0xA1007")) << text.out;
}

TEST(Info, UnknownAndMissingFilesFailByName) {
  TempFolder folder;
  WriteBytes(folder.File("notes.txt"), {'h', 'i'});
  WriteTga(folder.File("a.tga"), 2, 2, 3, GradientImage(2, 2, 3));
  const ToolRun run = RunTool({"info", folder.File("notes.txt"), folder.File("gone.dds"), folder.File("a.tga")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, folder.File("notes.txt") + ": not a DDS, FS70 BMP, ACE, TGA or BMP file")) << run.err;
  EXPECT_TRUE(Has(run.err, folder.File("gone.dds") + ": cannot open the file")) << run.err;
  EXPECT_TRUE(Has(run.out, "TGA image")) << run.out;  // the readable file is still described
}

TEST(Compare, RmseAndPsnrPerChannel) {
  TempFolder folder;
  std::vector<uint8_t> a = SolidImage(4, 4, 3, 100, 100, 100);
  std::vector<uint8_t> b = a;
  for (size_t i = 2; i < b.size(); i += 3) b[i] = 110;  // red off by 10 everywhere
  WriteTga(folder.File("a.tga"), 4, 4, 3, a);
  WriteTga(folder.File("b.tga"), 4, 4, 3, b);

  const ToolRun same = RunTool({"compare", folder.File("a.tga"), folder.File("a.tga")});
  ASSERT_EQ(same.exitCode, 0) << same.err;
  EXPECT_TRUE(Has(same.out, "overall      0.0000       inf")) << same.out;

  const ToolRun json = RunTool({"compare", folder.File("a.tga"), folder.File("b.tga"), "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  // Red: MSE 100; overall over three channels: MSE 100 / 3.
  char red[96];
  char overall[96];
  std::snprintf(red, sizeof red, "\"red\": {\"rmse\": 10.0000, \"psnr\": %.2f}", 10 * std::log10(255.0 * 255.0 / 100));
  std::snprintf(overall, sizeof overall, "\"overall\": {\"rmse\": %.4f, \"psnr\": %.2f}", std::sqrt(100.0 / 3),
                10 * std::log10(255.0 * 255.0 * 3 / 100));
  EXPECT_TRUE(Has(json.out, red)) << json.out;
  EXPECT_TRUE(Has(json.out, "\"green\": {\"rmse\": 0.0000, \"psnr\": null}")) << json.out;
  EXPECT_TRUE(Has(json.out, overall)) << json.out;
  EXPECT_FALSE(Has(json.out, "alpha")) << json.out;

  EXPECT_EQ(RunTool({"compare", folder.File("a.tga"), folder.File("b.tga"), "--min-psnr", "30"}).exitCode, 0);
  const ToolRun below = RunTool({"compare", folder.File("a.tga"), folder.File("b.tga"), "--min-psnr", "40"});
  EXPECT_EQ(below.exitCode, 1);
  EXPECT_TRUE(Has(below.err, "below the floor of 40.00 dB")) << below.err;
}

// Alpha is compared when either picture has a pixel that is not opaque; an
// alpha channel of 255 everywhere is left out of the figures.
TEST(Compare, AlphaCountsWhenEitherPictureIsTransparentSomewhere) {
  TempFolder folder;
  WriteTga(folder.File("opaque.tga"), 2, 2, 3, SolidImage(2, 2, 3, 1, 2, 3));
  WriteTga(folder.File("half.tga"), 2, 2, 4, SolidImage(2, 2, 4, 1, 2, 3, 127));
  WriteTga(folder.File("full.tga"), 2, 2, 4, SolidImage(2, 2, 4, 1, 2, 3, 255));
  const ToolRun half = RunTool({"compare", folder.File("opaque.tga"), folder.File("half.tga")});
  ASSERT_EQ(half.exitCode, 0) << half.err;
  EXPECT_TRUE(Has(half.out, "alpha      128.0000")) << half.out;
  const ToolRun full = RunTool({"compare", folder.File("opaque.tga"), folder.File("full.tga")});
  ASSERT_EQ(full.exitCode, 0) << full.err;
  EXPECT_FALSE(Has(full.out, "alpha")) << full.out;
}

TEST(Compare, RefusesDifferentSidesAndUnreadableFiles) {
  TempFolder folder;
  WriteTga(folder.File("a.tga"), 4, 4, 3, GradientImage(4, 4, 3));
  WriteTga(folder.File("b.tga"), 4, 2, 3, GradientImage(4, 2, 3));
  const ToolRun sides = RunTool({"compare", folder.File("a.tga"), folder.File("b.tga")});
  EXPECT_EQ(sides.exitCode, 1);
  EXPECT_TRUE(Has(sides.err, "is 4x4 but")) << sides.err;
  const ToolRun missing = RunTool({"compare", folder.File("a.tga"), folder.File("none.png")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(Has(missing.err, folder.File("none.png") + ": cannot open the file")) << missing.err;
  EXPECT_EQ(RunTool({"compare", folder.File("a.tga")}).exitCode, 2);
}

}  // namespace
}  // namespace quarn::test
