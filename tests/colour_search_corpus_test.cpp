// The colour search on every block of real images: sound results, and the
// exact starts it hands to the refinement, pinned by hashes recorded from
// this implementation (the same with GCC and Clang, -O0 to -O3, and from the
// first, plainer version of the search). Work on the search's speed must
// leave them as they are; a deliberate change of its arithmetic updates them.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "codec/encode/colour_search.h"
#include "support/test_images.h"

namespace quarn {
namespace {

class Fnv1a {
 public:
  void Add(uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      hash_ ^= (value >> (8 * i)) & 0xFF;
      hash_ *= 1099511628211ull;
    }
  }
  void Add(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Add(bits, 8);
  }
  uint64_t value() const { return hash_; }

 private:
  uint64_t hash_ = 1469598103934665603ull;
};

struct CorpusCase {
  const char* file;
  int32_t colours;
  bool alphaBlock;
  uint64_t hash;
};

class ColourSearchCorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(ColourSearchCorpusTest, StartsAreSoundAndUnchanged) {
  const CorpusCase& test = GetParam();
  const std::vector<uint8_t> bytes = ReadFileBytes(std::string(QUARN_CORPUS_DIR) + "/" + test.file);
  if (bytes.empty()) GTEST_SKIP() << "corpus image missing: " << test.file;
  const int32_t size = static_cast<int32_t>(std::lround(std::sqrt(bytes.size() / 4.0)));
  ASSERT_EQ(static_cast<size_t>(size) * size * 4, bytes.size());

  Fnv1a hash;
  for (int32_t by = 0; by < size; by += 4) {
    for (int32_t bx = 0; bx < size; bx += 4) {
      ColourBlockFit fit;
      fit.count = 16;
      fit.colours = test.colours;
      fit.alphaBlock = test.alphaBlock;
      for (int32_t ch = 0; ch < 3; ++ch) fit.weight[ch] = kColourWeights[ch];
      for (int32_t k = 0; k < 16; ++k) {
        const uint8_t* p = &bytes[4 * ((by + k / 4) * size + bx + k % 4)];
        fit.texel[k][0] = p[2] / 255.0;
        fit.texel[k][1] = p[1] / 255.0;
        fit.texel[k][2] = p[0] / 255.0;
      }
      BlockColours colours;
      int32_t texelColour[16];
      const ColourFitPlan plan = PlanColourFit(fit, colours, texelColour);
      hash.Add(plan.uniform ? 1 : 0, 1);
      if (plan.uniform) continue;
      hash.Add(static_cast<uint32_t>(plan.startKind), 4);
      const int32_t highestKind = fit.colours == 3 ? StartThreeLevels : StartFourLevels;
      ASSERT_GE(plan.startKind, StartTwoColours);
      ASSERT_LE(plan.startKind, highestKind) << "block " << bx << "," << by;
      for (const auto& end : plan.start) {
        for (double value : end) {
          ASSERT_TRUE(std::isfinite(value)) << "block " << bx << "," << by;
          hash.Add(value);
        }
      }
    }
  }
  EXPECT_EQ(hash.value(), test.hash) << std::hex << "0x" << hash.value();
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, ColourSearchCorpusTest,
    ::testing::Values(CorpusCase{"astronaut_512.bgra", 4, false, 0xe252fa8883ae311eull},
                      CorpusCase{"coffee_256.bgra", 3, false, 0x356e8038c75160e2ull},
                      CorpusCase{"chelsea_vignette_256.bgra", 4, true, 0x74362147ad03c5c9ull}),
    [](const ::testing::TestParamInfo<CorpusCase>& param) {
      std::string name = param.param.file;
      name = name.substr(0, name.find('.')) + "_colours" + std::to_string(param.param.colours) +
             (param.param.alphaBlock ? "_alphaBlock" : "");
      return name;
    });

}  // namespace
}  // namespace quarn
