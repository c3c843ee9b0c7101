// The output-stability record of the block encoder: for fixed corpus images
// and every block format, a hash of each encoded mip level and the bytes of
// sampled level-0 blocks, as text. The committed golden file was written by
// the generator in tests/golden from this same function; the stability test
// rebuilds the text and compares, so any change of a single output bit shows.
#ifndef QUARN_TESTS_SUPPORT_BLOCK_GOLDEN_H
#define QUARN_TESTS_SUPPORT_BLOCK_GOLDEN_H

#include <string>

namespace quarn::test {

// Builds the golden text from the images in `corpusDir`. Returns an empty
// string when an image is missing.
std::string MakeBlockGolden(const std::string& corpusDir);

}  // namespace quarn::test

#endif
