// Round trip of the real corpus images: level 0 encoded in each block
// format, decoded by the test decoder, measured against the source. The
// floors sit a little below what the encoder reaches, so a regression in
// the end-point search shows here before anyone looks at pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "codec/decode/decode_surface.h"
#include "codec/decode/source_format.h"
#include "codec/encode/block_encoder.h"
#include "support/corpus_images.h"
#include "support/dxt_test_decoder.h"
#include "support/image_quality.h"

namespace quarn::test {
namespace {

struct Floor {
  const char* image;
  double dxt1;   // mean RGB PSNR of DXT1 in dB
  double dxt1a;  // of DXT1 with one-bit alpha, over the kept texels
  double dxt3;
  double dxt5;
  double dxt5Alpha;  // alpha PSNR of DXT5 (DXT3's is fixed by the 4-bit rounding)
};

// Measured values (printed by this test) less about 0.1 dB. Opaque images
// must keep their alpha exactly in DXT5 (infinite PSNR).
const Floor kFloors[] = {
    {"astronaut_512", 34.95, 34.95, 34.9, 34.9, 99.0},
    {"gravel_512", 33.4, 33.4, 33.4, 33.4, 99.0},
    {"brick_512", 39.65, 39.65, 39.45, 39.45, 99.0},
    {"coffee_256", 35.2, 35.2, 35.2, 35.2, 99.0},
    {"logo_cutout_512", 42.0, 40.75, 41.85, 41.85, 57.5},
    {"chelsea_vignette_256", 36.6, 36.15, 36.6, 36.6, 54.3},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Floor& floor, std::ostream* os) { *os << floor.image; }

class BlockEncoderRoundTrip : public ::testing::TestWithParam<Floor> {};

TEST_P(BlockEncoderRoundTrip, MeanRgbPsnrStaysAboveItsFloor) {
  const Floor& floor = GetParam();
  const std::unique_ptr<RgbaImage> image = LoadCorpusImage(QUARN_CORPUS_DIR, floor.image);
  ASSERT_NE(image, nullptr) << "missing corpus image " << floor.image << " in " << QUARN_CORPUS_DIR;
  const size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  const uint32_t* source = image->pixels();

  const std::vector<uint8_t> dxt1 = EncodeDXT1(*image);
  const std::vector<uint8_t> dxt1a = EncodeDXT1a(*image);
  const std::vector<uint8_t> dxt3 = EncodeDXT3(*image);
  const std::vector<uint8_t> dxt5 = EncodeDXT5(*image);
  const std::vector<uint32_t> back1 = DecodeDxt(DxtKind::DXT1, dxt1.data(), image->width, image->height);
  const std::vector<uint32_t> back1a = DecodeDxt(DxtKind::DXT1, dxt1a.data(), image->width, image->height);
  const std::vector<uint32_t> back3 = DecodeDxt(DxtKind::DXT3, dxt3.data(), image->width, image->height);
  const std::vector<uint32_t> back5 = DecodeDxt(DxtKind::DXT5, dxt5.data(), image->width, image->height);

  // The library's own decoder reads the same pixels back as the test
  // decoder, so the figures below hold for what a reader of the files sees.
  const struct {
    const std::vector<uint8_t>& blocks;
    const std::vector<uint32_t>& decoded;
    uint32_t code;
  } views[] = {{dxt1, back1, SourceDXT1}, {dxt1a, back1a, SourceDXT1}, {dxt3, back3, SourceDXT3}, {dxt5, back5, SourceDXT5}};
  for (const auto& view : views) {
    std::vector<uint32_t> library(count, 0);
    DecodeBlockSurface(view.blocks.data(), static_cast<uint32_t>(image->width), static_cast<uint32_t>(image->height),
                       reinterpret_cast<uint8_t*>(library.data()), view.code);
    EXPECT_TRUE(library == view.decoded) << "decoders disagree, format code " << view.code;
  }

  const RgbPsnr p1 = MeasureRgbPsnr(source, back1.data(), count, false);
  const RgbPsnr p1a = MeasureRgbPsnr(source, back1a.data(), count, true);
  const RgbPsnr p3 = MeasureRgbPsnr(source, back3.data(), count, false);
  const RgbPsnr p5 = MeasureRgbPsnr(source, back5.data(), count, false);
  const double a5 = MeasureAlphaPsnr(source, back5.data(), count);
  std::printf("%-22s DXT1 %.3f (weighted %.3f)  DXT1a %.3f  DXT3 %.3f  DXT5 %.3f  DXT5 alpha %.3f\n", floor.image,
              p1.plain, p1.weighted, p1a.plain, p3.plain, p5.plain, a5);
  EXPECT_GT(p1.plain, floor.dxt1);
  EXPECT_GT(p1a.plain, floor.dxt1a);
  EXPECT_GT(p3.plain, floor.dxt3);
  EXPECT_GT(p5.plain, floor.dxt5);
  EXPECT_GT(a5, floor.dxt5Alpha);

  // One-bit alpha: exactly the texels above 128 stay opaque.
  size_t wrongAlpha = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t expected = (source[i] >> 24) > 128 ? 255u : 0u;
    if ((back1a[i] >> 24) != expected) ++wrongAlpha;
  }
  EXPECT_EQ(wrongAlpha, 0u);
  // Explicit alpha: every texel is its alpha rounded to a multiple of 17.
  size_t wrongNibble = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t a = source[i] >> 24;
    if ((back3[i] >> 24) != (a + 8) / 17 * 17) ++wrongNibble;
  }
  EXPECT_EQ(wrongNibble, 0u);
}

INSTANTIATE_TEST_SUITE_P(Corpus, BlockEncoderRoundTrip, ::testing::ValuesIn(kFloors),
                         [](const ::testing::TestParamInfo<Floor>& param) { return std::string(param.param.image); });

}  // namespace
}  // namespace quarn::test
