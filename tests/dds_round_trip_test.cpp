// DDS files written by DXTcompress read back through Read_DDS: the caption,
// the size, and pixels that keep exactly the precision each format stores.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/test_images.h"

namespace quarn {
namespace {

struct Precision {
  int32_t format;
  const char* kind;
  int red, green, blue;  // bits kept per channel
};

TEST(DdsRoundTrip, PixelFormatsReadBackAtTheirPrecision) {
  const Precision formats[] = {
      {Format4444, "DDS 444-4 16 bit", 4, 4, 4}, {Format1555, "DDS 555-1 16 bit", 5, 5, 5},
      {Format565, "DDS 565 16 bit", 5, 6, 5},    {Format8888, "DDS ???", 8, 8, 8},
      {Format888, "DDS ???", 8, 8, 8},           {Format555, "DDS 555-1 16 bit", 5, 5, 5},
  };
  TempFolder folder;
  const std::string path = folder.File("rt.dds");
  // Odd sides: every level is read past, and the picture is wider than 13.
  const int32_t width = 13, height = 7;
  for (int32_t planes : {3, 4}) {
    const std::vector<uint8_t> image = NoiseImage(width, height, planes, 17);
    for (const Precision& p : formats) {
      SCOPED_TRACE(std::string(p.kind) + " format " + std::to_string(p.format) + " planes " + std::to_string(planes));
      DXTcompress(image.data(), width, height, p.format, 0, 0, planes, nullptr, path.c_str());
      ReadDdsResult record{};
      ASSERT_EQ(Read_DDS(path.c_str(), &record), 1);
      EXPECT_EQ(record.width, width);
      EXPECT_EQ(record.height, height);
      EXPECT_EQ(std::string(record.caption), std::string(p.kind) + " : 13 x 7");
      ASSERT_NE(record.rgbPixels, nullptr);
      // The packer keeps each channel's top bits: they must come back unchanged.
      for (int32_t i = 0; i < width * height; ++i) {
        const uint8_t* source = &image[size_t(i) * planes];
        const uint8_t* read = &record.rgbPixels[size_t(i) * 3];
        ASSERT_EQ(read[0] >> (8 - p.red), source[2] >> (8 - p.red)) << "pixel " << i;
        ASSERT_EQ(read[1] >> (8 - p.green), source[1] >> (8 - p.green)) << "pixel " << i;
        ASSERT_EQ(read[2] >> (8 - p.blue), source[0] >> (8 - p.blue)) << "pixel " << i;
      }
      std::free(record.rgbPixels);
    }
  }
}

}  // namespace
}  // namespace quarn
