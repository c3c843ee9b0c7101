// The files of `quarn compress` are byte for byte what the codec makes of
// the image, in each container's row order.
#include <gtest/gtest.h>

#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

struct PixelCase {
  const char* format;  // as given on the command line
  int32_t code;
  bool dither;
};

class CompressDdsTest : public ::testing::TestWithParam<PixelCase> {};

// A 32-bit TGA (top row first, with alpha) of odd sides: the DDS equals the
// engine's output for the same pixels.
TEST_P(CompressDdsTest, DdsEqualsEngineOutput) {
  const PixelCase& c = GetParam();
  TempFolder folder;
  const std::vector<uint8_t> pixels = GradientImage(13, 7, 4);
  WriteTga(folder.File("in.tga"), 13, 7, 4, pixels);
  std::vector<std::string> args = {"compress", folder.File("in.tga"), "-f", c.format, "-o", folder.File("out.dds")};
  if (c.dither) args.push_back("--dither");
  const ToolRun run = RunTool(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder.File("out.dds")), EngineDds(pixels, 13, 7, 4, c.code, c.dither));
}

// Block formats need power-of-two sides: a 16x8 image, down to 1x1.
TEST(CompressBlocks, DdsEqualsEngineOutput) {
  TempFolder folder;
  const std::vector<uint8_t> pixels = GradientImage(16, 8, 4);
  WriteTga(folder.File("in.tga"), 16, 8, 4, pixels);
  for (const auto& [name, code] : {std::pair<const char*, int32_t>{"dxt1", FormatDXT1}, {"dxt1a", FormatDXT1a},
                                   {"dxt3", FormatDXT3}, {"dxt5", FormatDXT5}}) {
    const std::string out = folder.File(std::string(name) + ".dds");
    const ToolRun run = RunTool({"compress", folder.File("in.tga"), "-f", name, "-o", out});
    ASSERT_EQ(run.exitCode, 0) << name << "\n" << run.err;
    EXPECT_EQ(ReadFileBytes(out), EngineDds(pixels, 16, 8, 4, code, false)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(PixelFormats, CompressDdsTest,
                         ::testing::Values(PixelCase{"4444", Format4444, false}, PixelCase{"1555", Format1555, false},
                                           PixelCase{"565", Format565, true}, PixelCase{"8888", Format8888, false},
                                           PixelCase{"888", Format888, false}, PixelCase{"19", Format555, true},
                                           PixelCase{"14", Format4444, true}),
                         [](const ::testing::TestParamInfo<PixelCase>& param) {
                           return std::string("f") + param.param.format + (param.param.dither ? "Dither" : "");
                         });

// A 24-bit BMP stores its bottom row first and has no alpha: the tool reads
// it top row first with alpha 255, as the engine takes a 3-byte source.
TEST(CompressInputs, BmpWithoutAlphaReadsLikeThreeByteSource) {
  TempFolder folder;
  const std::vector<uint8_t> pixels = NoiseImage(6, 5, 3, 7);
  WriteBmp24(folder.File("in.bmp"), 6, 5, pixels);
  const ToolRun run = RunTool({"compress", folder.File("in.bmp"), "-f", "8888", "-o", folder.File("out.dds")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder.File("out.dds")), EngineDds(pixels, 6, 5, 3, Format8888, false));
}

// The bundled PNG decodes to the same pixels as the corpus' raw copy.
TEST(CompressInputs, SamplePngReadsAsItsRawPixels) {
  const std::vector<uint8_t> raw = ReadFileBytes(QUARN_CORPUS_DIR "/coffee_256.bgra");
  if (raw.empty()) GTEST_SKIP() << "corpus not found at " << QUARN_CORPUS_DIR;
  TempFolder folder;
  const ToolRun run = RunTool({"compress", QUARN_SAMPLE_IMAGE, "-f", "565", "-o", folder.File("out.dds")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder.File("out.dds")), EngineDds(raw, 256, 256, 4, Format565, false));
}

// --alpha replaces the alpha channel by the grey level of another image.
TEST(CompressInputs, AlphaImageBecomesTheAlphaChannel) {
  TempFolder folder;
  const std::vector<uint8_t> colour = GradientImage(8, 4, 3);
  std::vector<uint8_t> grey = NoiseImage(8, 4, 1, 3);
  std::vector<uint8_t> greyPixels;
  std::vector<uint8_t> combined;
  for (size_t i = 0; i < grey.size(); ++i) {
    greyPixels.insert(greyPixels.end(), {grey[i], grey[i], grey[i]});
    combined.insert(combined.end(), {colour[i * 3], colour[i * 3 + 1], colour[i * 3 + 2], grey[i]});
  }
  WriteTga(folder.File("colour.tga"), 8, 4, 3, colour);
  WriteTga(folder.File("mask.tga"), 8, 4, 3, greyPixels);
  const ToolRun run = RunTool({"compress", folder.File("colour.tga"), "--alpha", folder.File("mask.tga"), "-f", "8888",
                               "-o", folder.File("out.dds")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder.File("out.dds")), EngineDds(combined, 8, 4, 4, Format8888, false));
}

struct Fs70Case {
  const char* format;
  int32_t code;
  bool mipHeader;
};

class CompressFs70Test : public ::testing::TestWithParam<Fs70Case> {};

// An FS70 texture stores the bottom row first: the tool's file equals the
// export's output for the image with its rows reversed.
TEST_P(CompressFs70Test, EqualsExportOfFlippedImage) {
  const Fs70Case& c = GetParam();
  TempFolder folder;
  const std::vector<uint8_t> pixels = GradientImage(16, 8, 4);
  WriteTga(folder.File("in.tga"), 16, 8, 4, pixels);
  std::vector<std::string> args = {"compress", folder.File("in.tga"), "-f",   c.format, "--container",
                                   "fs70",     "-o",                  folder.File("tool.bmp")};
  if (!c.mipHeader) args.push_back("--no-mip-header");
  const ToolRun run = RunTool(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const std::vector<uint8_t> bottomUp = FlippedRows(pixels, 16, 8, 4);
  DXTcompressBMP(bottomUp.data(), 16, 8, c.code, c.mipHeader ? 1 : 0, 0, 4, folder.File("export.bmp").c_str());
  const std::vector<uint8_t> expected = ReadFileBytes(folder.File("export.bmp"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("tool.bmp")), expected);
}

INSTANTIATE_TEST_SUITE_P(HeaderFormats, CompressFs70Test,
                         ::testing::Values(Fs70Case{"dxt1", FormatDXT1, true}, Fs70Case{"dxt1a", FormatDXT1a, false},
                                           Fs70Case{"dxt3", FormatDXT3, true}, Fs70Case{"4444", Format4444, true},
                                           Fs70Case{"1555", Format1555, true},
                                           Fs70Case{"565", Format565, false}, Fs70Case{"8888", Format8888, true}),
                         [](const ::testing::TestParamInfo<Fs70Case>& param) {
                           return std::string("f") + param.param.format + (param.param.mipHeader ? "" : "NoMipHeader");
                         });

// One file per level, each bottom row first and declaring its own level's
// sides (5x3, 3x2, 2x1, 1x1): equal to the export's level files.
TEST(CompressMips, LevelFilesEqualExportOfFlippedImage) {
  TempFolder folder;
  const std::vector<uint8_t> pixels = NoiseImage(5, 3, 4, 11);
  WriteTga(folder.File("in.tga"), 5, 3, 4, pixels);
  const ToolRun run =
      RunTool({"compress", folder.File("in.tga"), "-f", "565", "--container", "mips", "-o", folder.File("tool_")});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  const std::vector<uint8_t> bottomUp = FlippedRows(pixels, 5, 3, 4);
  ASSERT_EQ(DXTcreateMIPS(bottomUp.data(), 5, 3, Format565, 0, 4, folder.File("export_").c_str()), 3);
  for (int level = 0; level <= 3; ++level) {
    const std::string name = std::to_string(level) + ".bmp";
    const std::vector<uint8_t> expected = ReadFileBytes(folder.File("export_" + name));
    ASSERT_FALSE(expected.empty()) << name;
    EXPECT_EQ(ReadFileBytes(folder.File("tool_" + name)), expected) << name;
  }
  EXPECT_FALSE(FileExists(folder.File("tool_4.bmp")));
}

// Without -o the output goes beside the input (mip files as name_<level>.bmp),
// with --out-dir into that folder under the input's name.
TEST(CompressNaming, DefaultNamesBesideInputOrInOutDir) {
  TempFolder folder;
  TempFolder outFolder;
  WriteTga(folder.File("tile.tga"), 2, 2, 4, GradientImage(2, 2, 4));
  ASSERT_EQ(RunTool({"compress", folder.File("tile.tga"), "-f", "565"}).exitCode, 0);
  ASSERT_EQ(RunTool({"compress", folder.File("tile.tga"), "-f", "565", "--container", "fs70"}).exitCode, 0);
  ASSERT_EQ(RunTool({"compress", folder.File("tile.tga"), "-f", "565", "--container", "mips"}).exitCode, 0);
  EXPECT_EQ(FilesIn(folder.path()),
            (std::vector<std::string>{"tile.bmp", "tile.dds", "tile.tga", "tile_0.bmp", "tile_1.bmp"}));
  ASSERT_EQ(RunTool({"compress", folder.File("tile.tga"), "-f", "8888", "--out-dir", outFolder.path()}).exitCode, 0);
  EXPECT_EQ(FilesIn(outFolder.path()), std::vector<std::string>{"tile.dds"});
}

}  // namespace
}  // namespace quarn::test
