// Output stability: the encoder's bytes for fixed corpus images must stay
// what tests/data/block_encoder_golden.txt recorded. Speed work that changes
// a single bit fails here. Regenerate the file (tests/golden) only for an
// intended change of the output, and say why in the commit.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/block_golden.h"

namespace quarn::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(BlockEncoderGolden, OutputBytesAreUnchanged) {
  std::ifstream file(std::string(QUARN_TEST_DATA_DIR) + "/block_encoder_golden.txt", std::ios::binary);
  ASSERT_TRUE(file) << "missing tests/data/block_encoder_golden.txt";
  std::stringstream stored;
  stored << file.rdbuf();
  const std::string fresh = MakeBlockGolden(QUARN_CORPUS_DIR);
  ASSERT_FALSE(fresh.empty()) << "missing corpus images in " << QUARN_CORPUS_DIR;

  const std::vector<std::string> expected = Lines(stored.str());
  const std::vector<std::string> actual = Lines(fresh);
  ASSERT_EQ(actual.size(), expected.size());
  std::string image;
  int32_t shown = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (expected[i].rfind("image ", 0) == 0) image = expected[i];
    if (actual[i] != expected[i] && shown++ < 10)
      ADD_FAILURE() << image << "\n  line " << i + 1 << " recorded: " << expected[i] << "\n  now:      " << actual[i];
  }
  EXPECT_EQ(shown, 0) << "lines that differ";
}

}  // namespace
}  // namespace quarn::test
