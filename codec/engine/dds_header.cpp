#include "codec/engine/dds_header.h"

#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn {

namespace {

struct DdsPixelFormat {
  uint32_t flags, fourCC, bitCount, redMask, greenMask, blueMask, alphaMask;
};

DdsPixelFormat PixelFormatOf(int32_t format) {
  switch (format) {
    case FormatDXT1:
    case FormatDXT1a:
      return {kDdsPfFourCC, FourCC('D', 'X', 'T', '1'), 0, 0, 0, 0, 0};
    // DXT3 and DXT5 carry their alpha-block kind (256, 512) in bitCount.
    case FormatDXT3:
      return {kDdsPfFourCC, FourCC('D', 'X', 'T', '3'), 256, 0, 0, 0, 0};
    case FormatDXT5:
      return {kDdsPfFourCC, FourCC('D', 'X', 'T', '5'), 512, 0, 0, 0, 0};
    case Format4444:
      return {kDdsPfRgb | kDdsPfAlpha, 0, 16, 0x0F00, 0x00F0, 0x000F, 0xF000};
    case Format1555:
      return {kDdsPfRgb | kDdsPfAlpha, 0, 16, 0x7C00, 0x03E0, 0x001F, 0x8000};
    case Format565:
      return {kDdsPfRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
    case Format8888:
      return {kDdsPfRgb | kDdsPfAlpha, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    case Format888:
      return {kDdsPfRgb, 0, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0};
    case Format555:
      return {kDdsPfRgb, 0, 16, 0x7C00, 0x03E0, 0x001F, 0};
    default:
      return {0, 0, 0, 0, 0, 0, 0};
  }
}

}  // namespace

uint32_t DdsMipCount(uint32_t width, uint32_t height) {
  uint32_t side = width > height ? width : height;
  uint32_t count = 0;
  while (side != 0) {
    side >>= 1;
    ++count;
  }
  return count;
}

std::array<uint8_t, kDdsDataOffset> BuildDdsHeader(uint32_t width, uint32_t height, int32_t format,
                                                   uint32_t linearSize) {
  std::array<uint8_t, kDdsDataOffset> bytes{};
  StoreLE32(bytes.data(), kDdsMagic);
  uint8_t* h = bytes.data() + 4;
  const DdsPixelFormat pf = PixelFormatOf(format);
  StoreLE32(h + DdsSize, kDdsHeaderSize);
  StoreLE32(h + DdsFlags, kDdsFlagCaps | kDdsFlagHeight | kDdsFlagWidth | kDdsFlagPixelFormat | kDdsFlagMipCount |
                              kDdsFlagLinearSize);
  StoreLE32(h + DdsHeight, height);
  StoreLE32(h + DdsWidth, width);
  StoreLE32(h + DdsLinearSize, linearSize);
  StoreLE32(h + DdsMipCountField, DdsMipCount(width, height));
  StoreLE32(h + DdsPfSize, 32);
  StoreLE32(h + DdsPfFlags, pf.flags);
  StoreLE32(h + DdsFourCC, pf.fourCC);
  StoreLE32(h + DdsBitCount, pf.bitCount);
  StoreLE32(h + DdsRedMask, pf.redMask);
  StoreLE32(h + DdsGreenMask, pf.greenMask);
  StoreLE32(h + DdsBlueMask, pf.blueMask);
  StoreLE32(h + DdsAlphaMask, pf.alphaMask);
  StoreLE32(h + DdsCaps, kDdsCapsComplex | kDdsCapsTexture | kDdsCapsMipmap);
  return bytes;
}

void WriteDdsHeader(EncodeContext& context, uint32_t width, uint32_t height, int32_t format, uint32_t linearSize) {
  const std::array<uint8_t, kDdsDataOffset> bytes = BuildDdsHeader(width, height, format, linearSize);
  WriteOutput(context, 4, bytes.data());
  WriteOutput(context, kDdsHeaderSize, bytes.data() + 4);
}

}  // namespace quarn
