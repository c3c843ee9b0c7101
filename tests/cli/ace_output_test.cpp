// The ACE container of `quarn compress` is byte for byte the library's
// export's file for the same image (top row first, as ACE stores it).
#include <gtest/gtest.h>

#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

struct AceCase {
  const char* format;
  int32_t code;
  int32_t side;  // 64 has a level table, 32 has none
};

class CompressAceTest : public ::testing::TestWithParam<AceCase> {};

TEST_P(CompressAceTest, EqualsExportOutput) {
  const AceCase& c = GetParam();
  TempFolder folder;
  const std::vector<uint8_t> pixels = NoiseImage(c.side, c.side, 4, 21);
  WriteTga(folder.File("in.tga"), c.side, c.side, 4, pixels);
  const ToolRun run =
      RunTool({"compress", folder.File("in.tga"), "-f", c.format, "--container", "ace", "-o", folder.File("tool.ace")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  DXTcompressACE(pixels.data(), c.side, c.side, c.code, 0, 0, 4, folder.File("export.ace").c_str());
  const std::vector<uint8_t> expected = ReadFileBytes(folder.File("export.ace"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReadFileBytes(folder.File("tool.ace")), expected);
}

INSTANTIATE_TEST_SUITE_P(Dxt1, CompressAceTest,
                         ::testing::Values(AceCase{"dxt1", FormatDXT1, 64}, AceCase{"dxt1a", FormatDXT1a, 64},
                                           AceCase{"dxt1", FormatDXT1, 32}),
                         [](const ::testing::TestParamInfo<AceCase>& param) {
                           return std::string(param.param.format) + "Side" + std::to_string(param.param.side);
                         });

}  // namespace
}  // namespace quarn::test
