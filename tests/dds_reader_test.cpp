#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codec/decode/dds_layout.h"
#include "codec/decode/dds_reader.h"
#include "codec/decode/source_format.h"
#include "support/dds_fixture.h"

namespace quarn {
namespace {

using test::AppendSolidDxt1;
using test::BlockFixture;
using test::DdsFixture;
using test::MemorySource;
using test::PixelFixture;

struct Loaded {
  PictureBuffer picture;
  int32_t width = -1, height = -1, bytesPerPixel = -1, rowPixels = -1, rowBytes = -1;

  const uint8_t* At(int32_t x, int32_t y) const {
    return picture.get() + (size_t(y) * size_t(rowPixels) + size_t(x)) * size_t(bytesPerPixel);
  }
  // Blue, green, red as 0xRRGGBB.
  uint32_t Rgb(int32_t x, int32_t y) const {
    const uint8_t* p = At(x, y);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
};

Loaded Load(const std::vector<uint8_t>& bytes) {
  Loaded l;
  MemorySource source(bytes);
  l.picture = LoadDdsImage(source, l.width, l.height, l.bytesPerPixel, l.rowPixels, l.rowBytes);
  return l;
}

constexpr uint16_t kWhite565 = 0xFFFF, kRed565 = 0xF800, kBlue565 = 0x001F, kGreen565 = 0x07E0;

// Stored sizes of every level of a DXT1 mip chain of w x h.
size_t Dxt1ChainBlocks(uint32_t w, uint32_t h) {
  size_t blocks = 0;
  for (uint32_t levels = DdsMipCount(w, h); levels > 0; --levels, w = (w + 1) / 2, h = (h + 1) / 2)
    blocks += size_t((w + 3) / 4) * ((h + 3) / 4);
  return blocks;
}

TEST(DdsReader, MipMappedTextureGetsTheWidePicture) {
  // 256 x 256 DXT5 with mip maps: top level white with alpha 255, smaller
  // levels red; only the top level is shown.
  DdsFixture f = BlockFixture('5', 256, 256, 9);
  uint32_t w = 256, h = 256;
  for (int level = 0; level < 9; ++level, w = (w + 1) / 2, h = (h + 1) / 2) {
    const uint16_t colour = level == 0 ? kWhite565 : kRed565;
    for (uint32_t b = 0; b < ((w + 3) / 4) * ((h + 3) / 4); ++b) {
      const uint8_t block[16] = {255, 255, 0, 0, 0, 0, 0, 0, uint8_t(colour), uint8_t(colour >> 8),
                                 uint8_t(colour), uint8_t(colour >> 8), 0, 0, 0, 0};
      f.data.insert(f.data.end(), block, block + 16);
    }
  }
  const Loaded l = Load(f.Bytes());
  ASSERT_TRUE(l.picture);
  EXPECT_EQ(l.width, 256);
  EXPECT_EQ(l.height, 256);
  EXPECT_EQ(l.bytesPerPixel, 4);
  EXPECT_EQ(l.rowPixels, 511);  // 256 + 128 + ... + 1
  EXPECT_EQ(l.rowBytes, 256 * 4);
  for (int32_t y : {0, 255}) {
    EXPECT_EQ(l.Rgb(0, y), 0xFFFFFFu);
    EXPECT_EQ(l.At(255, y)[3], 255);
    for (int32_t x = 256; x < 511; ++x) ASSERT_EQ(l.Rgb(x, y) | l.At(x, y)[3], 0u) << x;
  }

  // Without mipCount only the top level is read: P is the width.
  f.mipCount = 0;
  const Loaded single = Load(f.Bytes());
  ASSERT_TRUE(single.picture);
  EXPECT_EQ(single.rowPixels, 256);
  EXPECT_EQ(single.width, 256);
}

TEST(DdsReader, MipMappedPictureHasAtLeastEightRows) {
  DdsFixture f = BlockFixture('1', 16, 2, 5);
  AppendSolidDxt1(f.data, kWhite565, Dxt1ChainBlocks(16, 2));
  const Loaded l = Load(f.Bytes());
  ASSERT_TRUE(l.picture);
  EXPECT_EQ(l.height, 2);
  EXPECT_EQ(l.rowPixels, 16 + 8 + 4 + 2 + 1);
  EXPECT_EQ(l.Rgb(15, 1), 0xFFFFFFu);
  // Rows 2 to 7 exist and are zero (the buffer holds 8 rows).
  for (int32_t y = 2; y < 8; ++y) ASSERT_EQ(l.Rgb(0, y), 0u);

  f.mipCount = 0;
  EXPECT_EQ(Load(f.Bytes()).rowPixels, 16);
}

TEST(DdsReader, CubeMapFacesStandSideBySide) {
  // Six 64 x 64 DXT1 faces, each with its own colour, with mip maps so that
  // each face's smaller levels must be passed over to reach the next face.
  const uint16_t colours[6] = {kRed565, kGreen565, kBlue565, kWhite565, 0x0000, 0xFFE0};
  DdsFixture f = BlockFixture('1', 64, 64, 7);
  f.caps2 = 0x200 | 0x400;  // any cube-map bit counts
  for (uint16_t colour : colours) {
    AppendSolidDxt1(f.data, colour, 16 * 16);
    AppendSolidDxt1(f.data, 0x1234, Dxt1ChainBlocks(64, 64) - 16 * 16);
  }
  const Loaded l = Load(f.Bytes());
  ASSERT_TRUE(l.picture);
  EXPECT_EQ(l.width, 384);
  EXPECT_EQ(l.height, 64);
  EXPECT_EQ(l.rowPixels, 6 * 127);
  const uint32_t expected[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(l.Rgb(k * 64, 0), expected[k]) << "face " << k;
    EXPECT_EQ(l.Rgb(k * 64 + 63, 63), expected[k]) << "face " << k;
  }
  EXPECT_EQ(l.Rgb(384, 0), 0u);
}

TEST(DdsReader, VolumeSlicesStandSideBySideAndWinOverCubeBits) {
  DdsFixture f = PixelFixture(0x40, 24, 0x00FF00, 0, 3, 2);
  f.flags |= 0x800000;
  f.depth = 4;
  f.caps2 = 0xFE00;
  for (uint8_t slice = 0; slice < 4; ++slice) {
    for (int i = 0; i < 3 * 2; ++i) f.data.insert(f.data.end(), {slice, uint8_t(i), 0});
  }
  const Loaded l = Load(f.Bytes());
  ASSERT_TRUE(l.picture);
  EXPECT_EQ(l.width, 12);
  EXPECT_EQ(l.height, 2);
  EXPECT_EQ(l.bytesPerPixel, 3);
  EXPECT_EQ(l.rowBytes, 36);
  for (int32_t slice = 0; slice < 4; ++slice) {
    EXPECT_EQ(l.Rgb(slice * 3, 0), uint32_t(slice));
    EXPECT_EQ(l.Rgb(slice * 3 + 2, 1), uint32_t(0x0500 | slice));
  }
}

TEST(DdsReader, ClassificationTable) {
  struct Case {
    const char* name;
    DdsFixture header;
    bool readable;
    uint32_t code, bytesPerPixel;
  };
  DdsFixture dxt1Alpha = BlockFixture('1', 4, 4);
  dxt1Alpha.pfFlags = 0x5;
  DdsFixture dxt5WithRgbFlags = BlockFixture('5', 4, 4);
  dxt5WithRgbFlags.pfFlags = 0x41;
  const Case cases[] = {
      {"DXT1 flags 0x4", BlockFixture('1', 4, 4), true, SourceDXT1, 3},
      {"DXT1 flags 0x5", dxt1Alpha, true, SourceDXT1, 4},
      {"DXT2", BlockFixture('2', 4, 4), true, SourceDXT2, 4},
      {"DXT4", BlockFixture('4', 4, 4), true, SourceDXT4, 4},
      {"fourCC before pfFlags", dxt5WithRgbFlags, true, SourceDXT5, 4},
      {"DXT6 is unknown", BlockFixture('6', 4, 4), false, 0, 0},
      {"r8g8b8", PixelFixture(0x40, 24, 0, 0, 4, 4), true, SourceR8G8B8, 3},
      {"24 bits with alpha", PixelFixture(0x41, 24, 0, 0xFF000000, 4, 4), false, 0, 0},
      {"a8r8g8b8", PixelFixture(0x41, 32, 0, 0xFF000000, 4, 4), true, SourceA8R8G8B8, 4},
      {"32 bits without alpha", PixelFixture(0x40, 32, 0, 0, 4, 4), false, 0, 0},
      {"r5g6b5", PixelFixture(0x40, 16, 0x07E0, 0, 4, 4), true, SourceR5G6B5, 3},
      {"x1r5g5b5", PixelFixture(0x40, 16, 0x03E0, 0, 4, 4), true, SourceX1R5G5B5, 3},
      {"16 bits other green", PixelFixture(0x40, 16, 0x00F0, 0, 4, 4), false, 0, 0},
      {"a1r5g5b5", PixelFixture(0x41, 16, 0x03E0, 0x8000, 4, 4), true, SourceA1R5G5B5, 4},
      {"a4r4g4b4", PixelFixture(0x41, 16, 0x00F0, 0xF000, 4, 4), true, SourceA4R4G4B4, 4},
      {"16 bits other alpha", PixelFixture(0x41, 16, 0x03E0, 0x0001, 4, 4), false, 0, 0},
      {"extra pfFlags bits", PixelFixture(0x240, 16, 0x07E0, 0, 4, 4), false, 0, 0},
  };
  for (const Case& c : cases) {
    DdsFixture f = c.header;
    f.data.assign(64, 0);
    const Loaded l = Load(f.Bytes());
    EXPECT_EQ(bool(l.picture), c.readable) << c.name;
    if (c.readable) {
      EXPECT_EQ(l.bytesPerPixel, int32_t(c.bytesPerPixel)) << c.name;
    }

    DdsLayout layout;
    const std::vector<uint8_t> bytes = f.Bytes();
    const DdsLayoutResult result = PlanDdsLayout(ParseDdsHeader(bytes.data() + 4), layout);
    EXPECT_EQ(result, c.readable ? DdsLayoutResult::Ok : DdsLayoutResult::UnknownFormat) << c.name;
    if (c.readable) {
      EXPECT_EQ(layout.formatCode, c.code) << c.name;
    }
  }
}

TEST(DdsReader, SixteenBitPixelsDecodeThroughTheReader) {
  // a1r5g5b5 with bit 15 keeps alpha; r5g6b5 drops to 3 bytes.
  DdsFixture alpha = PixelFixture(0x41, 16, 0x03E0, 0x8000, 2, 1);
  alpha.data = {0x1F, 0x80, 0x00, 0x7C};
  const Loaded a = Load(alpha.Bytes());
  ASSERT_TRUE(a.picture);
  EXPECT_EQ(a.Rgb(0, 0), 0x0000FFu);
  EXPECT_EQ(a.At(0, 0)[3], 255);
  EXPECT_EQ(a.Rgb(1, 0), 0xFF0000u);
  EXPECT_EQ(a.At(1, 0)[3], 0);

  DdsFixture opaque = PixelFixture(0x40, 16, 0x07E0, 0, 1, 1);
  opaque.data = {0xE0, 0x07};
  const Loaded o = Load(opaque.Bytes());
  ASSERT_TRUE(o.picture);
  EXPECT_EQ(o.bytesPerPixel, 3);
  EXPECT_EQ(o.Rgb(0, 0), 0x00FF00u);
}

TEST(DdsReader, FileThatEndsEarlyDecodesTheRestFromZeros) {
  // 8 x 8 DXT1 with alpha: the file holds only the first of four blocks.
  DdsFixture f = BlockFixture('1', 8, 8);
  f.pfFlags = 0x5;
  AppendSolidDxt1(f.data, kWhite565, 1);
  f.data.resize(f.data.size() + 3, 0xFF);  // and a stray part of the second
  const Loaded l = Load(f.Bytes());
  ASSERT_TRUE(l.picture);
  EXPECT_EQ(l.Rgb(3, 3), 0xFFFFFFu);
  // The cut block keeps its bytes: c0 = 0xFFFF, c1 = 0x00FF, indices 0.
  EXPECT_EQ(l.Rgb(4, 0), 0xFFFFFFu);
  // The missing blocks are zero blocks: opaque black.
  EXPECT_EQ(l.Rgb(0, 4), 0u);
  EXPECT_EQ(l.At(7, 7)[3], 255);

  // A file cut inside the header reads the missing fields as zero: here the
  // fourCC survives but the sides do not.
  std::vector<uint8_t> cut = BlockFixture('1', 8, 8).Bytes();
  cut.resize(12);
  EXPECT_FALSE(Load(cut).picture);
}

TEST(DdsReader, NotADdsFileFailsBeforeReadingFurther) {
  std::vector<uint8_t> bytes = BlockFixture('1', 4, 4).Bytes();
  bytes[3] = 'X';
  MemorySource source(bytes);
  int32_t w = -7, h = -7, b = -7, p = -7, r = -7;
  EXPECT_FALSE(LoadDdsImage(source, w, h, b, p, r));
  EXPECT_EQ(source.position(), 4u);
  EXPECT_EQ(w, -7);
  EXPECT_EQ(h, -7);
  EXPECT_EQ(b, -7);
  EXPECT_EQ(p, -7);
  EXPECT_EQ(r, -7);
  EXPECT_FALSE(Load({}).picture);
}

// Headers that would overflow sizes, truncate into 16-bit fields or ask for
// more than the allocation ceiling are refused before anything is allocated.
TEST(DdsReader, HostileHeadersAreRefused) {
  struct Case {
    const char* name;
    DdsFixture header;
    DdsLayoutResult expected;
  };
  auto volume = [](DdsFixture f, uint32_t depth) {
    f.flags |= 0x800000;
    f.depth = depth;
    return f;
  };
  auto cube = [](DdsFixture f) {
    f.caps2 = 0xFE00;
    return f;
  };
  const DdsFixture argb = PixelFixture(0x41, 32, 0, 0xFF000000, 1, 1);
  auto sized = [](DdsFixture f, uint32_t w, uint32_t h, uint32_t mips = 0) {
    f.width = w;
    f.height = h;
    f.mipCount = mips;
    return f;
  };
  const Case cases[] = {
      {"width 0", sized(argb, 0, 4), DdsLayoutResult::Empty},
      {"height 0", sized(argb, 4, 0), DdsLayoutResult::Empty},
      {"volume of depth 0", volume(argb, 0), DdsLayoutResult::Empty},
      {"width 32768", sized(argb, 32768, 1), DdsLayoutResult::TooLarge},
      {"height 32768", sized(argb, 1, 32768), DdsLayoutResult::TooLarge},
      {"width 2^32 - 1", sized(BlockFixture('1', 0, 0), 0xFFFFFFFF, 4), DdsLayoutResult::TooLarge},
      {"width x height wraps in 32 bits", sized(argb, 0x10000, 0x10000), DdsLayoutResult::TooLarge},
      {"cube faces wider than 32767 together", sized(cube(argb), 5462, 1), DdsLayoutResult::TooLarge},
      {"volume depth 32768", volume(argb, 32768), DdsLayoutResult::TooLarge},
      {"volume depth 2^32 - 1", volume(argb, 0xFFFFFFFF), DdsLayoutResult::TooLarge},
      {"volume slices wider than 32767", sized(volume(argb, 4), 8192, 1), DdsLayoutResult::TooLarge},
      {"32767 square a8r8g8b8: 4 GiB", sized(argb, 32767, 32767), DdsLayoutResult::TooLarge},
      {"16384 square mip-mapped DXT1: 1.5 GiB picture", sized(BlockFixture('1', 0, 0), 16384, 16384, 15),
       DdsLayoutResult::TooLarge},
      {"wide volume of mip-mapped slivers", sized(volume(argb, 32767), 1, 32767, 16), DdsLayoutResult::TooLarge},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = c.header.Bytes();
    DdsLayout layout;
    layout.rows = 12345;
    EXPECT_EQ(PlanDdsLayout(ParseDdsHeader(bytes.data() + 4), layout), c.expected) << c.name;
    EXPECT_EQ(layout.rows, 12345u) << c.name << ": layout written on refusal";
    EXPECT_FALSE(Load(bytes).picture) << c.name;
  }
}

TEST(DdsReader, AllocationCeilingAdmitsRealTextures) {
  struct Case {
    const char* name;
    DdsFixture header;
    uint64_t pictureBytes;
  };
  auto sized = [](DdsFixture f, uint32_t w, uint32_t h, uint32_t mips) {
    f.width = w;
    f.height = h;
    f.mipCount = mips;
    return f;
  };
  DdsFixture cube = BlockFixture('5', 0, 0);
  cube.caps2 = 0xFE00;
  const Case cases[] = {
      {"8192 square mip-mapped a8r8g8b8", sized(PixelFixture(0x41, 32, 0, 0xFF000000, 0, 0), 8192, 8192, 14),
       uint64_t{16383} * 4 * 8192},
      {"8192 square mip-mapped DXT5", sized(BlockFixture('5', 0, 0), 8192, 8192, 14), uint64_t{16383} * 4 * 8192},
      {"4096 cube mip-mapped DXT5", sized(cube, 4096, 4096, 13), uint64_t{6} * 8191 * 4 * 4096},
      {"32767 x 1 r8g8b8", sized(PixelFixture(0x40, 24, 0, 0, 0, 0), 32767, 1, 0), uint64_t{32767} * 3},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = c.header.Bytes();
    DdsLayout layout;
    ASSERT_EQ(PlanDdsLayout(ParseDdsHeader(bytes.data() + 4), layout), DdsLayoutResult::Ok) << c.name;
    EXPECT_EQ(layout.pictureBytes, c.pictureBytes) << c.name;
    EXPECT_LE(layout.pictureBytes, kMaxDdsReadBytes) << c.name;
  }
}

TEST(DdsReader, LevelsPerFaceBySignificantBits) {
  struct Case {
    uint32_t width, height, levels;
  };
  const Case cases[] = {{256, 256, 9}, {48, 48, 6}, {1, 1, 1}, {256, 64, 9}, {3, 100, 7}};
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = BlockFixture('1', c.width, c.height, 1).Bytes();
    DdsLayout layout;
    ASSERT_EQ(PlanDdsLayout(ParseDdsHeader(bytes.data() + 4), layout), DdsLayoutResult::Ok);
    EXPECT_EQ(layout.levels, c.levels) << c.width << " x " << c.height;
  }
}

}  // namespace
}  // namespace quarn
