// What `quarn compress` does with inputs and command lines it cannot use:
// a message that names the input and says what to do, the right exit code,
// and no file left behind for the failed input.
#include <gtest/gtest.h>

#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

class CompressErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTga(folder.File("odd.tga"), 6, 4, 4, GradientImage(6, 4, 4));
    WriteTga(folder.File("good.tga"), 4, 4, 4, GradientImage(4, 4, 4));
    WriteBytes(folder.File("broken.png"), {0x89, 'P', 'N', 'G', 0, 1, 2, 3});
    WriteTga(folder.File("wide.tga"), 32768, 1, 3, SolidImage(32768, 1, 3, 1, 2, 3));
  }
  std::string In(const std::string& name) const { return folder.File(name); }
  TempFolder folder;
};

struct FailureCase {
  const char* name;
  std::vector<std::string> arguments;  // "@x" stands for the file x in the test's folder
  int exitCode;
  const char* message;                 // expected on standard error ("@" as above)
};

std::string Expand(const std::string& text, const TempFolder& folder) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '@') {
      out += text[i];
      continue;
    }
    size_t end = i + 1;
    while (end < text.size() && text[end] != ' ' && text[end] != ':') ++end;
    out += folder.File(text.substr(i + 1, end - i - 1));
    i = end - 1;
  }
  return out;
}

TEST_F(CompressErrorsTest, RefusalsNameTheProblemAndWriteNothing) {
  const FailureCase cases[] = {
      {"dxt needs powers of two", {"@odd.tga", "-f", "dxt1", "-o", "@out.dds"}, 1,
       "@odd.tga: DXT1 needs power-of-two sides, the image is 6x4"},
      {"dxt5 by code", {"@odd.tga", "-f", "13", "-o", "@out.dds"}, 1,
       "@odd.tga: DXT5 needs power-of-two sides, the image is 6x4"},
      {"side above 32767", {"@wide.tga", "-f", "8888", "-o", "@out.dds"}, 1,
       "@wide.tga: sides of at most 32767 pixels are supported, the image is 32768x1"},
      {"missing file", {"@missing.png", "-f", "565", "-o", "@out.dds"}, 1, "@missing.png: cannot open the file"},
      {"undecodable file", {"@broken.png", "-f", "565", "-o", "@out.dds"}, 1, "@broken.png: cannot decode the image"},
      {"alpha image of other sides", {"@good.tga", "--alpha", "@odd.tga", "-f", "8888", "-o", "@out.dds"}, 1,
       "the alpha image @odd.tga is 6x4, the image is 4x4"},
      {"unknown format", {"@good.tga", "-f", "dxt9"}, 2, "unknown format 'dxt9'; use one of dxt1, dxt1a"},
      {"no format", {"@good.tga"}, 2, "no output format given"},
      {"no input", {"-f", "565"}, 2, "no input image given"},
      {"unknown option", {"@good.tga", "-f", "565", "--fast"}, 2, "unknown option '--fast'"},
      {"unknown container", {"@good.tga", "-f", "565", "--container", "zip"}, 2, "unknown container 'zip'"},
      {"one -o for two inputs", {"@good.tga", "@odd.tga", "-f", "565", "-o", "@out.dds"}, 2, "-o names one output"},
      {"fs70 without header", {"@good.tga", "-f", "dxt5", "--container", "fs70"}, 2,
       "the fs70 container has no header for DXT5"},
      {"ace takes dxt1 only", {"@good.tga", "-f", "565", "--container", "ace"}, 2,
       "the ace container holds dxt1 or dxt1a only, not 565"},
      {"mip header flag outside fs70", {"@good.tga", "-f", "565", "--no-mip-header"}, 2,
       "--no-mip-header applies to --container fs70 only"},
      {"bad job count", {"@good.tga", "-f", "565", "-j", "0"}, 2, "-j takes a whole number from 1"},
      {"missing out dir", {"@good.tga", "-f", "565", "--out-dir", "@nowhere"}, 2, "the output folder"},
      {"output folder missing", {"@good.tga", "-f", "565", "-o", "@nowhere/out.dds"}, 1, "cannot create"},
  };
  const std::vector<std::string> before = FilesIn(folder.path());
  for (const FailureCase& c : cases) {
    std::vector<std::string> arguments = {"compress"};
    for (const std::string& argument : c.arguments) arguments.push_back(Expand(argument, folder));
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.name << "\n" << run.err;
    EXPECT_NE(run.err.find(Expand(c.message, folder)), std::string::npos) << c.name << "\n" << run.err;
    EXPECT_EQ(FilesIn(folder.path()), before) << c.name << ": a file was left behind";
  }
}

TEST_F(CompressErrorsTest, ExistingOutputIsKeptWithoutForceAndReplacedWithIt) {
  WriteBytes(In("out.dds"), {1, 2, 3});
  const ToolRun refused = RunTool({"compress", In("good.tga"), "-f", "565", "-o", In("out.dds")});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find(In("out.dds") + " exists; use --force to overwrite it"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFileBytes(In("out.dds")), (std::vector<uint8_t>{1, 2, 3}));

  const ToolRun forced = RunTool({"compress", In("good.tga"), "-f", "565", "-o", In("out.dds"), "--force"});
  EXPECT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(ReadFileBytes(In("out.dds")).size(), 128u + 32 + 8 + 2);
}

TEST_F(CompressErrorsTest, ExistingMipLevelFileBlocksTheWholeChain) {
  WriteBytes(In("m_1.bmp"), {9});
  const ToolRun run = RunTool({"compress", In("good.tga"), "-f", "565", "--container", "mips", "-o", In("m_")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(FileExists(In("m_0.bmp")));
  EXPECT_EQ(ReadFileBytes(In("m_1.bmp")), std::vector<uint8_t>{9});
}

TEST_F(CompressErrorsTest, OutputNeverReplacesItsInput) {
  // An FS70 texture named after a BMP input would land on the input itself.
  WriteBmp24(In("photo.bmp"), 4, 4, GradientImage(4, 4, 3));
  const std::vector<uint8_t> before = ReadFileBytes(In("photo.bmp"));
  const ToolRun run = RunTool({"compress", In("photo.bmp"), "-f", "565", "--container", "fs70", "--force"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("would replace the input"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFileBytes(In("photo.bmp")), before);
}

// A batch goes on past a failed input, converts the rest, names each failure
// and ends with exit code 1.
TEST_F(CompressErrorsTest, BatchConvertsTheRestAndNamesEachFailure) {
  TempFolder out;
  const ToolRun run = RunTool({"compress", In("good.tga"), In("odd.tga"), In("broken.png"), In("missing.tga"), "-f",
                               "dxt1a", "--out-dir", out.path(), "-j", "2"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(In("odd.tga") + ": DXT1a needs power-of-two sides"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(In("broken.png") + ": "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(In("missing.tga") + ": "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("inputs failed"), std::string::npos) << run.err;
  EXPECT_EQ(FilesIn(out.path()), std::vector<std::string>{"good.dds"});
  EXPECT_NE(run.out.find(In("good.tga") + " -> "), std::string::npos) << run.out;
}

// Two inputs that would write the same output: the second is refused.
TEST_F(CompressErrorsTest, TwoInputsForOneOutputAreRefused) {
  TempFolder other;
  WriteTga(other.File("good.tga"), 2, 2, 4, GradientImage(2, 2, 4));
  TempFolder out;
  const ToolRun run =
      RunTool({"compress", In("good.tga"), other.File("good.tga"), "-f", "565", "--out-dir", out.path()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("is already the output of " + In("good.tga")), std::string::npos) << run.err;
  EXPECT_EQ(ReadFileBytes(out.File("good.dds")).size(), 128u + 32 + 8 + 2);  // the first input's 4x4 chain
}

TEST(CompressHelp, EverySubcommandHasHelp) {
  for (const char* command : {"compress", "decode", "info", "compare"}) {
    const ToolRun run = RunTool({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_NE(run.out.find("SYNOPSIS"), std::string::npos) << command;
  }
  EXPECT_NE(RunTool({"compress", "--help"}).out.find("bottom"), std::string::npos);  // row order documented
  EXPECT_EQ(RunTool({}).exitCode, 2);
  EXPECT_EQ(RunTool({"squash"}).exitCode, 2);
}

}  // namespace
}  // namespace quarn::test
