// The header of a BMP file: an FS70 BMP texture (a BMP header that announces
// a GPU format, then an "FS70" extension block) or a plain BMP image.
#include <cstring>

#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "file_info.h"
#include "format_names.h"

namespace quarn::cli {

namespace {

constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kBitFields = 3;
constexpr size_t kShortTextureHeader = 74;
constexpr size_t kMaskedTextureHeader = 86;

bool HasTag(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes.size() >= at + 20 && std::memcmp(bytes.data() + at, "FS70", 4) == 0;
}

// The codec format the texture header announces, or 0.
int32_t TextureFormatOf(uint32_t compression, uint32_t bitsPerPixel, uint32_t redMask, uint32_t alphaClass) {
  if (compression == FourCC('D', 'X', 'T', '1')) return alphaClass == 512 ? FormatDXT1a : FormatDXT1;
  if (compression == FourCC('D', 'X', 'T', '3')) return FormatDXT3;
  if (compression == kBitFields && redMask == 0x0F00) return Format4444;
  if (compression == kBitFields && redMask == 0xF800) return Format565;
  if (compression == 0 && bitsPerPixel == 32) return Format8888;
  if (compression == 0 && bitsPerPixel == 16) return Format1555;
  return 0;
}

std::string CompressionText(uint32_t compression) {
  switch (compression) {
    case 0:
      return "0 (plain)";
    case 1:
      return "1 (8-bit run lengths)";
    case 2:
      return "2 (4-bit run lengths)";
    case 3:
      return "3 (bit fields)";
    default:
      break;
  }
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const char c = static_cast<char>((compression >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

}  // namespace

bool DescribeBmp(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error) {
  if (bytes.size() < 14 + kInfoHeaderBytes || LoadLE32(bytes.data() + 14) < kInfoHeaderBytes) {
    error = "a BMP file without a complete information header";
    return false;
  }
  const uint8_t* b = bytes.data();
  const int32_t width = static_cast<int32_t>(LoadLE32(b + 18));
  const int32_t height = static_cast<int32_t>(LoadLE32(b + 22));
  const uint32_t bitsPerPixel = LoadLE16(b + 28);
  const uint32_t compression = LoadLE32(b + 30);
  const uint32_t dataOffset = LoadLE32(b + 10);

  info.width = width;
  info.height = height < 0 ? -static_cast<int64_t>(height) : height;
  info.rowOrder = height < 0 ? "top row first" : "bottom row first";
  info.fields = {
      NumberField("fileSize", LoadLE32(b + 2)),     NumberField("dataOffset", dataOffset),
      NumberField("infoSize", LoadLE32(b + 14)),    NumberField("width", width),
      NumberField("height", height),                NumberField("planes", LoadLE16(b + 26)),
      NumberField("bitsPerPixel", bitsPerPixel),    TextField("compression", CompressionText(compression)),
      NumberField("imageSize", LoadLE32(b + 34)),
  };

  const size_t tagAt = HasTag(bytes, kShortTextureHeader - 20) ? kShortTextureHeader - 20
                       : HasTag(bytes, kMaskedTextureHeader - 20) ? kMaskedTextureHeader - 20
                                                                   : 0;
  if (tagAt == 0) {
    info.kind = "BMP image";
    info.format = std::to_string(bitsPerPixel) + "-bit" + (bitsPerPixel <= 8 ? " palette" : "");
    info.fields.push_back(NumberField("coloursUsed", LoadLE32(b + 46)));
    return true;
  }

  info.kind = "FS70 BMP texture";
  const uint32_t redMask = tagAt == kMaskedTextureHeader - 20 ? LoadLE32(b + 54) : 0;
  if (tagAt == kMaskedTextureHeader - 20) {
    info.fields.push_back(HexField("redMask", LoadLE32(b + 54)));
    info.fields.push_back(HexField("greenMask", LoadLE32(b + 58)));
    info.fields.push_back(HexField("blueMask", LoadLE32(b + 62)));
  }
  const uint32_t alphaClass = LoadLE16(b + tagAt + 8);
  const uint32_t extraLevels = b[tagAt + 14];
  info.fields.push_back(TextField("tag", "FS70"));
  info.fields.push_back(NumberField("blockLength", LoadLE32(b + tagAt + 4)));
  info.fields.push_back(NumberField("alphaClass", alphaClass));
  info.fields.push_back(NumberField("extraLevels", extraLevels));

  const int32_t format = TextureFormatOf(compression, bitsPerPixel, redMask, alphaClass);
  info.format = format ? FormatName(format) : "unknown texture format";
  info.declaredLevels = static_cast<int32_t>(1 + extraLevels);
  const uint64_t headerBytes = tagAt + 20;
  if (format && width > 0 && height > 0 && fileBytes >= headerBytes) {
    info.levels = LevelsThatFit(format, width, height, fileBytes - headerBytes);
  }
  return true;
}

}  // namespace quarn::cli
