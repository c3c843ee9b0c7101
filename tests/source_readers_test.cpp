// TGAcompressBMP and BMPScompressBMP: the images their readers build from
// small files, and the files they refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/api/source_readers.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"
#include "support/image_files.h"
#include "support/test_images.h"

namespace quarn {
namespace {

class SourceReadersTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  // The texture DXTcompressBMP makes of `image` directly, to compare a
  // converter's output with.
  std::vector<uint8_t> DirectTexture(const std::vector<uint8_t>& image, int32_t width, int32_t height,
                                     int32_t planes, int32_t format, uint8_t mipmap) {
    const std::string path = folder_.File("direct.bmp");
    DXTcompressBMP(image.data(), width, height, format, mipmap, 0, planes, path.c_str());
    return ReadFileBytes(path);
  }
  TempFolder folder_;
};

TEST_F(SourceReadersTest, TgaPixelsAreHandedOnAsStoredWithTheirPlanes) {
  struct Case {
    const char* name;
    int32_t width, height;
    uint8_t bitsPerPixel, descriptor;
    std::vector<uint8_t> imageId;
    int32_t lastLevel;
  };
  const Case cases[] = {
      {"32-bit", 8, 4, 32, 0, {}, 3},
      {"24-bit of width 5 (rows 15 bytes apart)", 5, 3, 24, 0, {}, 3},
      {"top-down, still in stored order", 4, 4, 32, 0x20, {}, 2},
      {"image-ID field before the pixels", 6, 2, 24, 0, {'q', 'u', 'a', 'r', 'n', 0, 9}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t planes = c.bitsPerPixel / 8;
    const std::vector<uint8_t> pixels = NoiseImage(c.width, c.height, planes, 17);
    TgaFields fields;
    fields.width = c.width;
    fields.height = c.height;
    fields.bitsPerPixel = c.bitsPerPixel;
    fields.descriptor = c.descriptor;
    fields.imageId = c.imageId;
    const std::string tga = Write("in.tga", TgaFile(fields, pixels));

    SourceImage image;
    ASSERT_TRUE(ReadTgaSource(tga.c_str(), image));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.planes, planes);
    EXPECT_EQ(image.pixels, pixels);

    const std::string out = folder_.File("out.bmp");
    EXPECT_EQ(TGAcompressBMP(tga.c_str(), Format8888, 1, 0, out.c_str()), c.lastLevel);
    EXPECT_EQ(ReadFileBytes(out), DirectTexture(pixels, c.width, c.height, planes, Format8888, 1));
  }
}

TEST_F(SourceReadersTest, ShortTgaIsZeroFilled) {
  const std::vector<uint8_t> pixels = NoiseImage(4, 4, 3, 5);
  TgaFields fields;
  fields.width = 4;
  fields.height = 4;
  fields.bitsPerPixel = 24;
  const std::vector<uint8_t> present(pixels.begin(), pixels.begin() + 20);
  const std::string tga = Write("short.tga", TgaFile(fields, present));
  SourceImage image;
  ASSERT_TRUE(ReadTgaSource(tga.c_str(), image));
  std::vector<uint8_t> expected = present;
  expected.resize(pixels.size(), 0);
  EXPECT_EQ(image.pixels, expected);
}

TEST_F(SourceReadersTest, TgaRefusalsGiveZeroAndNoOutput) {
  struct Case {
    const char* name;
    int32_t width, height;
    uint8_t bitsPerPixel, imageType, colourMapType;
  };
  const Case cases[] = {
      {"16-bit", 4, 4, 16, 2, 0},
      {"8-bit", 4, 4, 8, 3, 0},
      {"width 10000", 10000, 1, 32, 2, 0},
      {"height 0", 4, 0, 32, 2, 0},
      {"run-length encoded", 4, 4, 32, 10, 0},
      {"colour-mapped", 4, 4, 24, 1, 1},
      {"true colour with a colour map", 4, 4, 24, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TgaFields fields;
    fields.width = c.width;
    fields.height = c.height;
    fields.bitsPerPixel = c.bitsPerPixel;
    fields.imageType = c.imageType;
    fields.colourMapType = c.colourMapType;
    const std::string tga = Write("refused.tga", TgaFile(fields, std::vector<uint8_t>(64, 0x55)));
    const std::string out = folder_.File("refused.bmp");
    EXPECT_EQ(TGAcompressBMP(tga.c_str(), Format8888, 1, 0, out.c_str()), 0);
    EXPECT_FALSE(FileExists(out));
  }
  const std::string out = folder_.File("none.bmp");
  EXPECT_EQ(TGAcompressBMP(folder_.File("missing.tga").c_str(), Format8888, 1, 0, out.c_str()), 0);
  EXPECT_EQ(TGAcompressBMP(Write("tiny.tga", {0, 0, 2}).c_str(), Format8888, 1, 0, out.c_str()), 0);
  EXPECT_EQ(TGAcompressBMP(nullptr, Format8888, 1, 0, out.c_str()), 0);
  EXPECT_FALSE(FileExists(out));
}

// A colour and an alpha BMP of `width` x `height` with their own pixel
// offsets; `colour` and `alpha` are the stored rows without padding.
struct BmpPair {
  std::vector<uint8_t> colour, alpha;
  BmpFields colourFields, alphaFields;
};

BmpPair MakePair(int32_t width, int32_t height) {
  BmpPair pair;
  pair.colour = NoiseImage(width, height, 3, 1);
  pair.alpha = NoiseImage(width, height, 1, 2);
  pair.colourFields.width = pair.alphaFields.width = width;
  pair.colourFields.height = pair.alphaFields.height = height;
  pair.colourFields.bitsPerPixel = 24;
  pair.alphaFields.bitsPerPixel = 8;
  return pair;
}

// What the reader must build: blue, green, red, alpha, rows as stored.
std::vector<uint8_t> Interleave(const BmpPair& pair) {
  std::vector<uint8_t> image;
  for (size_t i = 0; i < pair.alpha.size(); ++i) {
    image.insert(image.end(), pair.colour.begin() + 3 * i, pair.colour.begin() + 3 * i + 3);
    image.push_back(pair.alpha[i]);
  }
  return image;
}

TEST_F(SourceReadersTest, BmpPairRowsSkipTheirPaddingAndStartAtTheirOwnOffsets) {
  struct Case {
    const char* name;
    int32_t width, height;
    uint32_t colourOffset, alphaOffset;
    int32_t lastLevel;
  };
  const Case cases[] = {
      {"width 5: 1 padding byte per colour row, 3 per alpha row", 5, 3, 0, 0, 3},
      {"width 4: no padding", 4, 2, 0, 0, 2},
      {"width 7", 7, 2, 0, 0, 3},
      {"pixels further on than the usual offsets", 5, 2, 70, 1100, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpPair pair = MakePair(c.width, c.height);
    pair.colourFields.pixelOffset = c.colourOffset;
    pair.alphaFields.pixelOffset = c.alphaOffset;
    const std::string colour = Write("c.bmp", BmpFile(pair.colourFields, pair.colour));
    const std::string alpha = Write("a.bmp", BmpFile(pair.alphaFields, pair.alpha));

    SourceImage image;
    ASSERT_TRUE(ReadBmpPairSource(colour.c_str(), alpha.c_str(), image));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.planes, 4);
    EXPECT_EQ(image.pixels, Interleave(pair));

    const std::string out = folder_.File("out.bmp");
    EXPECT_EQ(BMPScompressBMP(colour.c_str(), alpha.c_str(), Format4444, 0, 0, out.c_str()), c.lastLevel);
    EXPECT_EQ(ReadFileBytes(out), DirectTexture(image.pixels, c.width, c.height, 4, Format4444, 0));
  }
}

TEST_F(SourceReadersTest, BytesPastTheEndOfEitherBmpRead255) {
  const BmpPair pair = MakePair(5, 4);
  std::vector<uint8_t> colourFile = BmpFile(pair.colourFields, pair.colour);
  std::vector<uint8_t> alphaFile = BmpFile(pair.alphaFields, pair.alpha);
  // Alpha cut in its second row (after 2 pixels), colour in its last row
  // (after 1 pixel and one byte).
  alphaFile.resize(1078 + 8 + 2);
  colourFile.resize(54 + 3 * 16 + 3 + 1);
  SourceImage image;
  ASSERT_TRUE(ReadBmpPairSource(Write("c.bmp", colourFile).c_str(), Write("a.bmp", alphaFile).c_str(), image));

  std::vector<uint8_t> expected = Interleave(pair);
  for (size_t pixel = 0; pixel < 20; ++pixel) {
    if (pixel >= 7) expected[4 * pixel + 3] = 255;
    for (size_t channel = 0; channel < 3; ++channel) {
      if (3 * pixel + channel >= 15 * 3 + 4) expected[4 * pixel + channel] = 255;
    }
  }
  EXPECT_EQ(image.pixels, expected);
}

TEST_F(SourceReadersTest, BmpPairRefusalsGiveZeroAndNoOutput) {
  const BmpPair valid = MakePair(4, 4);
  const std::string goodColour = Write("good-c.bmp", BmpFile(valid.colourFields, valid.colour));
  const std::string goodAlpha = Write("good-a.bmp", BmpFile(valid.alphaFields, valid.alpha));

  BmpFields thirtyTwo = valid.colourFields;
  thirtyTwo.bitsPerPixel = 32;
  BmpFields topDown = valid.colourFields;
  topDown.height = -256;
  BmpFields tooWide = valid.colourFields;
  tooWide.width = 10000;
  tooWide.height = 1;
  BmpFields notBm = valid.colourFields;
  notBm.signature = "MB";
  BmpFields alphaNotBm = valid.alphaFields;
  alphaNotBm.signature = "XX";

  struct Case {
    const char* name;
    std::string colour, alpha;
  };
  const Case cases[] = {
      {"32-bit colour file", Write("c32.bmp", BmpFile(thirtyTwo, NoiseImage(4, 4, 4, 3))), goodAlpha},
      {"top-down colour file", Write("ctd.bmp", BmpFile(topDown, NoiseImage(4, 256, 3, 3))), goodAlpha},
      {"width 10000", Write("cw.bmp", BmpFile(tooWide, NoiseImage(10000, 1, 3, 3))), goodAlpha},
      {"colour file not starting with BM", Write("cmb.bmp", BmpFile(notBm, valid.colour)), goodAlpha},
      {"alpha file not starting with BM", goodColour, Write("axx.bmp", BmpFile(alphaNotBm, valid.alpha))},
      {"empty alpha file", goodColour, Write("empty.bmp", {})},
      {"missing alpha file", goodColour, folder_.File("missing-a.bmp")},
      {"missing colour file", folder_.File("missing-c.bmp"), goodAlpha},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = folder_.File("refused.bmp");
    EXPECT_EQ(BMPScompressBMP(c.colour.c_str(), c.alpha.c_str(), Format8888, 1, 0, out.c_str()), 0);
    EXPECT_FALSE(FileExists(out));
  }
  const std::string out = folder_.File("null.bmp");
  EXPECT_EQ(BMPScompressBMP(nullptr, goodAlpha.c_str(), Format8888, 1, 0, out.c_str()), 0);
  EXPECT_EQ(BMPScompressBMP(goodColour.c_str(), nullptr, Format8888, 1, 0, out.c_str()), 0);
  EXPECT_FALSE(FileExists(out));
}

}  // namespace
}  // namespace quarn
