// Compress, decode, compare: the round trip through the tool keeps the
// picture within each format's precision.
#include <gtest/gtest.h>

#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

struct RoundTripCase {
  const char* format;
  const char* minimumPsnr;  // overall, on the bundled sample; "inf" for lossless formats
};

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// The floors sit a little below what the codec reaches on the sample, so a
// change that loses precision (wrong channel order, rows, rounding) fails.
TEST_P(RoundTripTest, DecodedTextureStaysCloseToTheSample) {
  const RoundTripCase& c = GetParam();
  TempFolder folder;
  ASSERT_EQ(RunTool({"compress", QUARN_SAMPLE_IMAGE, "-f", c.format, "-o", folder.File("t.dds")}).exitCode, 0);
  const ToolRun decoded = RunTool({"decode", folder.File("t.dds"), folder.File("t.png")});
  ASSERT_EQ(decoded.exitCode, 0) << decoded.err;

  const std::string floor = std::string(c.minimumPsnr) == "inf" ? "1000" : c.minimumPsnr;
  // The decoded PNG and the DDS itself compare alike against the source.
  for (const std::string& result : {folder.File("t.png"), folder.File("t.dds")}) {
    const ToolRun compared = RunTool({"compare", QUARN_SAMPLE_IMAGE, result, "--json", "--min-psnr", floor});
    if (std::string(c.minimumPsnr) == "inf") {
      EXPECT_NE(compared.out.find("\"overall\": {\"rmse\": 0.0000, \"psnr\": null}"), std::string::npos)
          << compared.out;
    } else {
      EXPECT_EQ(compared.exitCode, 0) << result << "\n" << compared.out << compared.err;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest,
                         ::testing::Values(RoundTripCase{"dxt1", "34.5"}, RoundTripCase{"dxt1a", "34.5"},
                                           RoundTripCase{"dxt3", "34.5"}, RoundTripCase{"dxt5", "34.5"},
                                           RoundTripCase{"4444", "28.5"}, RoundTripCase{"1555", "35"},
                                           RoundTripCase{"565", "36.5"}, RoundTripCase{"8888", "inf"},
                                           RoundTripCase{"888", "inf"}, RoundTripCase{"555", "35"}),
                         [](const ::testing::TestParamInfo<RoundTripCase>& param) {
                           return std::string("f") + param.param.format;
                         });

// Alpha survives the round trip into PNG; rows stay top first.
TEST(Decode, KeepsAlphaAndRowOrder) {
  TempFolder folder;
  const std::vector<uint8_t> pixels = NoiseImage(8, 4, 4, 5);
  WriteTga(folder.File("in.tga"), 8, 4, 4, pixels);
  ASSERT_EQ(RunTool({"compress", folder.File("in.tga"), "-f", "8888", "-o", folder.File("t.dds")}).exitCode, 0);
  for (const char* kind : {"png", "tga", "bmp"}) {
    const std::string out = folder.File(std::string("t.") + kind);
    const ToolRun decoded = RunTool({"decode", folder.File("t.dds"), out});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
    const ToolRun compared = RunTool({"compare", folder.File("in.tga"), out, "--json"});
    EXPECT_NE(compared.out.find("\"overall\": {\"rmse\": 0.0000, \"psnr\": null}"), std::string::npos)
        << kind << "\n" << compared.out << compared.err;
  }
}

TEST(Decode, RefusalsWriteNothing) {
  TempFolder folder;
  WriteTga(folder.File("in.tga"), 4, 4, 3, GradientImage(4, 4, 3));
  ASSERT_EQ(RunTool({"compress", folder.File("in.tga"), "-f", "565", "-o", folder.File("t.dds")}).exitCode, 0);
  WriteBytes(folder.File("taken.png"), {1});
  WriteBytes(folder.File("fake.dds"), {'D', 'D', 'S', ' ', 0, 0});
  const std::vector<std::string> before = FilesIn(folder.path());

  const ToolRun notDds = RunTool({"decode", folder.File("in.tga"), folder.File("out.png")});
  EXPECT_EQ(notDds.exitCode, 1);
  EXPECT_NE(notDds.err.find("not a DDS file"), std::string::npos) << notDds.err;
  const ToolRun broken = RunTool({"decode", folder.File("fake.dds"), folder.File("out.png")});
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.err.find(folder.File("fake.dds") + ": "), std::string::npos) << broken.err;
  const ToolRun taken = RunTool({"decode", folder.File("t.dds"), folder.File("taken.png")});
  EXPECT_EQ(taken.exitCode, 1);
  EXPECT_NE(taken.err.find("exists; use --force"), std::string::npos) << taken.err;
  EXPECT_EQ(RunTool({"decode", folder.File("t.dds"), folder.File("out.gif")}).exitCode, 2);
  EXPECT_EQ(FilesIn(folder.path()), before);
  EXPECT_EQ(ReadFileBytes(folder.File("taken.png")), std::vector<uint8_t>{1});

  EXPECT_EQ(RunTool({"decode", folder.File("t.dds"), folder.File("taken.png"), "--force"}).exitCode, 0);
  EXPECT_GT(ReadFileBytes(folder.File("taken.png")).size(), 1u);
}

}  // namespace
}  // namespace quarn::test
