// A batch run on several threads writes exactly the files of a one-job run.
#include <gtest/gtest.h>

#include "support/image_fixtures.h"
#include "support/test_images.h"
#include "support/tool_runner.h"

namespace quarn::test {
namespace {

struct BatchCase {
  const char* name;
  std::vector<std::string> options;
  bool powerOfTwoOnly;  // block formats take the inputs with power-of-two sides only
};

TEST(BatchJobs, TwoJobsWriteTheSameBytesAsOne) {
  TempFolder inputs;
  std::vector<std::string> allFiles = {QUARN_SAMPLE_IMAGE};
  std::vector<std::string> powerOfTwoFiles = allFiles;
  const int sides[][2] = {{64, 64}, {33, 17}, {1, 1}, {128, 32}, {7, 200}, {32, 256}};
  for (size_t i = 0; i < std::size(sides); ++i) {
    const std::string path = inputs.File("image" + std::to_string(i) + ".tga");
    WriteTga(path, sides[i][0], sides[i][1], 4, NoiseImage(sides[i][0], sides[i][1], 4, static_cast<uint32_t>(i)));
    allFiles.push_back(path);
    const bool powerOfTwo = (sides[i][0] & (sides[i][0] - 1)) == 0 && (sides[i][1] & (sides[i][1] - 1)) == 0;
    if (powerOfTwo) powerOfTwoFiles.push_back(path);
  }
  const BatchCase cases[] = {
      {"dds 565 dithered", {"-f", "565", "--dither"}, false},
      {"dds 1555", {"-f", "1555"}, false},
      {"fs70 4444", {"-f", "4444", "--container", "fs70"}, false},
      {"mips 8888", {"-f", "8888", "--container", "mips"}, false},
      {"dds dxt1", {"-f", "dxt1"}, true},
      {"dds dxt5 dithered", {"-f", "dxt5", "--dither"}, true},
      {"fs70 dxt1a", {"-f", "dxt1a", "--container", "fs70"}, true},
      {"ace dxt1", {"-f", "dxt1", "--container", "ace"}, true},
  };
  for (const BatchCase& c : cases) {
    const std::vector<std::string>& files = c.powerOfTwoOnly ? powerOfTwoFiles : allFiles;
    TempFolder one;
    TempFolder two;
    for (const auto& [folder, jobs] : {std::pair<const TempFolder*, const char*>{&one, "1"}, {&two, "2"}}) {
      std::vector<std::string> arguments = {"compress"};
      arguments.insert(arguments.end(), files.begin(), files.end());
      arguments.insert(arguments.end(), c.options.begin(), c.options.end());
      arguments.insert(arguments.end(), {"--out-dir", folder->path(), "-j", jobs});
      const ToolRun run = RunTool(arguments);
      ASSERT_EQ(run.exitCode, 0) << c.name << " -j " << jobs << "\n" << run.err;
      // The report lists the inputs in their order whatever thread finished first.
      size_t at = 0;
      for (const std::string& file : files) {
        at = run.out.find(file + " -> ", at);
        EXPECT_NE(at, std::string::npos) << c.name << ": " << file << " out of order\n" << run.out;
      }
    }
    const std::vector<std::string> names = FilesIn(one.path());
    ASSERT_EQ(FilesIn(two.path()), names) << c.name;
    ASSERT_GE(names.size(), files.size()) << c.name;
    for (const std::string& name : names) {
      EXPECT_EQ(ReadFileBytes(one.File(name)), ReadFileBytes(two.File(name))) << c.name << ": " << name;
    }
  }
}

}  // namespace
}  // namespace quarn::test
