#include "codec/api/fs_texture_header.h"

#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn {

namespace {

constexpr uint32_t kBmpCompressionPlain = 0;
constexpr uint32_t kBmpCompressionBitFields = 3;

enum AlphaClass : uint32_t { NoAlpha = 256, OneBitAlphaClass = 512, FullAlpha = 1024 };

struct FsVariant {
  uint32_t headerLength;
  uint32_t bitsPerPixel;
  uint32_t compression;
  uint32_t masks[3];  // red, green, blue (86-byte variants only)
  uint32_t alphaClass;
  bool blockFormat;   // size rule: block levels stop below 4
};

bool VariantOf(int32_t format, FsVariant& v) {
  switch (format) {
    case FormatDXT1:
      v = {74, 16, FourCC('D', 'X', 'T', '1'), {0, 0, 0}, NoAlpha, true};
      return true;
    case FormatDXT1a:
      v = {74, 16, FourCC('D', 'X', 'T', '1'), {0, 0, 0}, OneBitAlphaClass, true};
      return true;
    case FormatDXT3:
      v = {74, 16, FourCC('D', 'X', 'T', '3'), {0, 0, 0}, FullAlpha, true};
      return true;
    case Format4444:
      v = {86, 16, kBmpCompressionBitFields, {0x0F00, 0x00F0, 0x000F}, FullAlpha, false};
      return true;
    case Format1555:
      v = {74, 16, kBmpCompressionPlain, {0, 0, 0}, OneBitAlphaClass, false};
      return true;
    case Format565:
      v = {86, 16, kBmpCompressionBitFields, {0xF800, 0x07E0, 0x001F}, NoAlpha, false};
      return true;
    case Format8888:
      v = {74, 32, kBmpCompressionPlain, {0, 0, 0}, FullAlpha, false};
      return true;
    default:
      return false;
  }
}

// Level size in bytes with the header's own arithmetic (truncating, in 64
// bits so that large images cannot overflow; the fields keep the low 32 bits).
int64_t FsLevelSize(int32_t format, int64_t w, int64_t h) {
  switch (format) {
    case FormatDXT1:
    case FormatDXT1a:
      return w * h / 2;
    case FormatDXT3:
      return w * h;
    case Format8888:
      return 4 * w * h;
    default:
      return 2 * w * h;
  }
}

}  // namespace

FsTextureLayout FsTextureLayoutOf(int32_t format, int32_t width, int32_t height, bool mipmap) {
  FsTextureLayout layout;
  FsVariant v{};
  if (!VariantOf(format, v)) return layout;
  layout.headerLength = v.headerLength;
  int64_t dataSize = FsLevelSize(format, width, height);
  if (mipmap) {
    int32_t w = width;
    int32_t h = height;
    for (;;) {
      w /= 2;
      h /= 2;
      const bool stop = v.blockFormat ? (w < 4 || h < 4) : (w == 0 || h == 0);
      if (stop) break;
      dataSize += FsLevelSize(format, w, h);
      ++layout.extraLevels;
    }
  }
  layout.dataSize = static_cast<uint32_t>(dataSize);
  return layout;
}

std::vector<uint8_t> BuildFsHeader(int32_t format, int32_t width, int32_t height, bool mipmap) {
  FsVariant v{};
  if (!VariantOf(format, v)) return {};
  const FsTextureLayout layout = FsTextureLayoutOf(format, width, height, mipmap);
  std::vector<uint8_t> header(v.headerLength, 0);
  uint8_t* h = header.data();
  h[0] = 'B';
  h[1] = 'M';
  StoreLE32(h + 2, layout.dataSize + v.headerLength);
  StoreLE32(h + 10, v.headerLength);
  StoreLE32(h + 14, 40);
  StoreLE32(h + 18, static_cast<uint32_t>(width));
  StoreLE32(h + 22, static_cast<uint32_t>(height));
  StoreLE16(h + 26, 1);
  StoreLE16(h + 28, v.bitsPerPixel);
  StoreLE32(h + 30, v.compression);
  StoreLE32(h + 34, layout.dataSize);
  uint8_t* extension = h + 54;
  if (v.headerLength == 86) {
    StoreLE32(h + 54, v.masks[0]);
    StoreLE32(h + 58, v.masks[1]);
    StoreLE32(h + 62, v.masks[2]);
    extension = h + 66;
  }
  StoreLE32(extension + 0, FourCC('F', 'S', '7', '0'));
  StoreLE32(extension + 4, 20);
  StoreLE16(extension + 8, v.alphaClass);
  extension[14] = static_cast<uint8_t>(layout.extraLevels);
  return header;
}

int32_t WriteFsHeader(int32_t format, int32_t width, int32_t height, bool mipmap, std::FILE* file) {
  if (!file) return 1;
  const std::vector<uint8_t> header = BuildFsHeader(format, width, height, mipmap);
  if (!header.empty()) std::fwrite(header.data(), 1, header.size(), file);
  return 0;
}

}  // namespace quarn
