// Output stability: the encoder's bytes for fixed corpus images must stay
// what tests/data/block_encoder_golden.txt recorded. Speed work that changes
// a single bit fails here. Regenerate the file (tests/golden) only for an
// intended change of the output, and say why in the commit.
//
// Blocks of the recorded file checked by hand against the packing rules and
// the source texels:
// - logo_cutout_512 DXT1a block 0, alpha 0 everywhere: 00 00 01 00 FF FF FF FF
//   (no fit, c0 = 0, c1 = 1, every index 3).
// - logo crop 37x21 DXT1a block 9, clipped to one column, alpha 0, 0, 64, 255
//   down it: the one kept white texel meets equal end points 0xFFFF; c1 wraps
//   to 0, the three-colour order exchanges them: 0000 FFFF, index 1 for the
//   white texel, 3 for the cut and the outside positions.
// - logo crop DXT1a block 13 and DXT5 block 13, opaque white: 0000 FFFF with
//   index 1 everywhere, and FF FF 00.. alpha with colour FFFF 0000 index 0
//   (the all-255 alpha block and the 0xFFFF wrap of a four-colour block).
// - logo crop DXT1a block 30, nothing cut: four-colour, c0 = F7DD > c1 = 6DA0,
//   rows 1-3 (153, 204, 76) on index 3 = (154, 205, 80).
// - chelsea_vignette_256 DXT3 block 2440: alpha 96 -> 6, 112 -> 7, 92 -> 5,
//   110 -> 6 (nearest alpha / 17).
// - astronaut crop 13x6 DXT1 block 7, one column of two texels inside:
//   index 3 at the 14 outside positions; the texels sit on index 1 and 3.
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
