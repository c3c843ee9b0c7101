// The encoder gives the same bytes whatever floating-point settings the
// host's thread runs with, and gives the host its settings back.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/engine/compress_image.h"
#include "codec/engine/texture_format.h"
#include "support/corpus_images.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <xmmintrin.h>

namespace quarn {
namespace {

std::vector<uint8_t> EncodeAllLevels(const RgbaImage& image, int32_t format) {
  std::vector<uint8_t> out;
  EncodeSettings settings;
  settings.format = static_cast<int16_t>(format);
  const int32_t status = CompressImage(
      reinterpret_cast<const uint8_t*>(image.pixels()), image.width, image.height, image.width * 4, settings, 4,
      [&](const uint8_t* bytes, int32_t, int32_t count) { out.insert(out.end(), bytes, bytes + count); }, nullptr);
  EXPECT_EQ(status, CompressDone);
  return out;
}

TEST(FloatEnvironment, HostSettingsDoNotChangeTheOutputAndAreRestored) {
  const std::unique_ptr<RgbaImage> image = test::LoadCorpusImage(QUARN_CORPUS_DIR, "coffee_256");
  if (!image) GTEST_SKIP() << "corpus not found at " << QUARN_CORPUS_DIR;
  const uint32_t original = _mm_getcsr();
  for (const int32_t format : {FormatDXT1, FormatDXT5}) {
    const std::vector<uint8_t> expected = EncodeAllLevels(*image, format);
    // Flush-to-zero, denormals-are-zero and rounding toward zero.
    const uint32_t host = (original & ~0x6000u) | 0x8040u | 0x6000u;
    _mm_setcsr(host);
    const std::vector<uint8_t> underHostSettings = EncodeAllLevels(*image, format);
    const uint32_t after = _mm_getcsr();
    _mm_setcsr(original);
    EXPECT_EQ(after, host) << "the host's settings were not restored";
    EXPECT_EQ(underHostSettings, expected) << "format " << format;
  }
}

}  // namespace
}  // namespace quarn
#endif
