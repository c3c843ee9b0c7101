// Our Vorel, loaded the way CombineAlphaDXT1 loads it: by bare name.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "codec/engine/little_endian.h"
#include "platform/platform.h"
#include "quarn/quarn.h"
#include "support/image_files.h"
#include "support/test_images.h"

namespace quarn {
namespace {

using BmpResize = int32_t(QUARN_CALL*)(const char*, const char*, void*, int32_t, int32_t);

class VorelTest : public testing::Test {
 protected:
  void SetUp() override {
    library_ = platform::LoadLibraryByName("Vorel");
    ASSERT_NE(library_, nullptr) << "Vorel is not found by its bare name from the test binary";
    resize_ = reinterpret_cast<BmpResize>(platform::FindSymbol(library_, "_bmpresize"));
    ASSERT_NE(resize_, nullptr);
  }
  void TearDown() override { platform::UnloadLibrary(library_); }

  // Resizes a BMP built from the given fields and rows; returns the result
  // and the destination file.
  int32_t Resize(const BmpFields& fields, const std::vector<uint8_t>& rows, int32_t width, int32_t height,
                 std::vector<uint8_t>& out) {
    return ResizeFile(BmpFile(fields, rows), width, height, out);
  }
  int32_t ResizeFile(const std::vector<uint8_t>& file, int32_t width, int32_t height, std::vector<uint8_t>& out) {
    const std::string source = folder_.File("in.bmp"), destination = folder_.File("out.bmp");
    WriteFileBytes(source, file);
    std::remove(destination.c_str());
    uint8_t work[1024] = {};
    const int32_t result = resize_(source.c_str(), destination.c_str(), work, width, height);
    out = ReadFileBytes(destination);
    return result;
  }
  // The stored rows of a written BMP without their padding.
  static std::vector<uint8_t> Rows(const std::vector<uint8_t>& file, int32_t bytesPerPixel) {
    const int32_t width = static_cast<int32_t>(LoadLE32(file.data() + 18));
    const int32_t height = static_cast<int32_t>(LoadLE32(file.data() + 22));
    const size_t stride = BmpRowLength(width, bytesPerPixel);
    std::vector<uint8_t> rows;
    for (int32_t y = 0; y < height; ++y) {
      const auto row = file.begin() + static_cast<std::ptrdiff_t>(LoadLE32(file.data() + 10) + y * stride);
      rows.insert(rows.end(), row, row + width * bytesPerPixel);
    }
    return rows;
  }

  void* library_ = nullptr;
  BmpResize resize_ = nullptr;
  TempFolder folder_;
};

TEST_F(VorelTest, Averages24BitPixelsOverTheAreaEachCovers) {
  BmpFields fields;
  fields.width = 4;
  fields.height = 2;
  // Stored rows (bottom first): each output pixel averages a 2 x 2 square.
  const std::vector<uint8_t> rows = {0,  0,  0,  10, 20, 30, 100, 100, 100, 200, 200, 201,
                                     20, 40, 60, 31, 61, 91, 0,   0,   1,   0,   0,   0};
  std::vector<uint8_t> out;
  ASSERT_EQ(Resize(fields, rows, 2, 1, out), 1);
  ASSERT_EQ(out.size(), 54u + 8u);  // one row of 6 bytes padded to 8
  EXPECT_EQ(out[0], 'B');
  EXPECT_EQ(out[1], 'M');
  EXPECT_EQ(LoadLE32(out.data() + 2), 62u);
  EXPECT_EQ(LoadLE32(out.data() + 10), 54u);
  EXPECT_EQ(LoadLE32(out.data() + 18), 2u);
  EXPECT_EQ(LoadLE32(out.data() + 22), 1u);
  EXPECT_EQ(LoadLE16(out.data() + 28), 24u);
  EXPECT_EQ(LoadLE32(out.data() + 30), 0u);
  // (0 + 10 + 20 + 31) / 4 = 15.25 -> 15; (0+20+40+61) / 4 = 30.25 -> 30;
  // (0+30+60+91) / 4 = 45.25 -> 45; (100+200+0+0) / 4 = 75; (100+200+0+0)
  // / 4 = 75; (100+201+1+0) / 4 = 75.5 -> 76 (halves round up).
  EXPECT_EQ(Rows(out, 3), (std::vector<uint8_t>{15, 30, 45, 75, 75, 76}));
}

TEST_F(VorelTest, EightBitSourcesComeOutGreyWithAFullPaletteAndFractionalAreas) {
  BmpFields fields;
  fields.width = 3;
  fields.height = 3;
  fields.bitsPerPixel = 8;
  // An inverted grey palette: index i stands for 255 - i.
  for (int i = 0; i < 256; ++i) fields.palette.insert(fields.palette.end(), {uint8_t(255 - i), uint8_t(255 - i), uint8_t(255 - i), 0});
  const std::vector<uint8_t> indices = {255, 255, 155, 255, 255, 155, 55, 55, 0};  // grey 0 0 100 / 0 0 100 / 200 200 255
  std::vector<uint8_t> out;
  ASSERT_EQ(Resize(fields, indices, 2, 2, out), 1);
  ASSERT_EQ(out.size(), 1078u + 2u * 4u);
  EXPECT_EQ(LoadLE32(out.data() + 10), 1078u);
  EXPECT_EQ(LoadLE16(out.data() + 28), 8u);
  for (uint32_t i = 0; i < 256; ++i) EXPECT_EQ(LoadLE32(out.data() + 54 + 4 * i), i * 0x010101u) << i;
  // Each output pixel covers 1.5 x 1.5 source pixels: weights 1, 0.5, 0.5,
  // 0.25 (of 2.25). Bottom left: 0; bottom right: (0.5*0 + 1*100 + 0.25*0
  // + 0.5*100) / 2.25 = 66.7 -> 67; top left: (0.5*0 + 0.25*0 + 1*200 +
  // 0.5*200) / 2.25 = 133.3 -> 133; top right: (0.25*0 + 0.5*100 + 0.5*200
  // + 1*255) / 2.25 = 180
  EXPECT_EQ(Rows(out, 1), (std::vector<uint8_t>{0, 67, 133, 180}));
}

TEST_F(VorelTest, TopDownSourcesAreWrittenBottomUpAndUpscalingRepeatsPixels) {
  BmpFields fields;
  fields.width = 1;
  fields.height = -2;  // first stored row is the top
  std::vector<uint8_t> out;
  ASSERT_EQ(Resize(fields, {1, 2, 3, 4, 5, 6}, 3, 2, out), 1);
  EXPECT_EQ(LoadLE32(out.data() + 22), 2u);
  EXPECT_EQ(Rows(out, 3), (std::vector<uint8_t>{4, 5, 6, 4, 5, 6, 4, 5, 6, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
}

TEST_F(VorelTest, RefusesOtherKindsAndSizesWithoutWriting) {
  BmpFields thirtyTwo;
  thirtyTwo.width = thirtyTwo.height = 2;
  thirtyTwo.bitsPerPixel = 32;
  BmpFields valid;
  valid.width = valid.height = 4;
  const std::vector<uint8_t> validFile = BmpFile(valid, NoiseImage(4, 4, 3, 1));
  const std::vector<uint8_t> truncated(validFile.begin(), validFile.end() - 1);
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int32_t width, height;
  };
  const Case cases[] = {
      {"32-bit source", BmpFile(thirtyTwo, NoiseImage(2, 2, 4, 1)), 1, 1},
      {"source shorter than its rows", truncated, 2, 2},
      {"not a BMP", std::vector<uint8_t>(validFile.begin() + 1, validFile.end()), 2, 2},
      {"new width 0", validFile, 0, 2},
      {"negative new height", validFile, 2, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> out;
    EXPECT_EQ(ResizeFile(c.file, c.width, c.height, out), 0);
    EXPECT_TRUE(out.empty());
  }
}

}  // namespace
}  // namespace quarn
