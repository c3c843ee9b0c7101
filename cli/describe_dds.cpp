// The header of a DDS file.
#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "file_info.h"
#include "format_names.h"

namespace quarn::cli {

namespace {

struct PixelFormatFields {
  uint32_t flags, fourCC, bitCount, red, green, blue, alpha;
};

// The codec format that the pixel-format block describes, or 0. DXT1 and
// DXT1a share one block (the one-bit alpha is in the data, not the header).
int32_t FormatOf(const PixelFormatFields& pf) {
  if (pf.flags & kDdsPfFourCC) {
    if (pf.fourCC == FourCC('D', 'X', 'T', '1')) return FormatDXT1;
    if (pf.fourCC == FourCC('D', 'X', 'T', '2') || pf.fourCC == FourCC('D', 'X', 'T', '3')) return FormatDXT3;
    if (pf.fourCC == FourCC('D', 'X', 'T', '4') || pf.fourCC == FourCC('D', 'X', 'T', '5')) return FormatDXT5;
    return 0;
  }
  const bool alpha = (pf.flags & kDdsPfAlpha) != 0;
  if (pf.bitCount == 32 && alpha && pf.alpha == 0xFF000000u) return Format8888;
  if (pf.bitCount == 24 && !alpha) return Format888;
  if (pf.bitCount != 16) return 0;
  if (alpha && pf.alpha == 0xF000) return Format4444;
  if (alpha && pf.alpha == 0x8000) return Format1555;
  if (!alpha && pf.green == 0x07E0) return Format565;
  if (!alpha && pf.green == 0x03E0) return Format555;
  return 0;
}

std::string FourCCText(uint32_t code) {
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const char c = static_cast<char>((code >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

}  // namespace

bool DescribeDds(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error) {
  if (bytes.size() < kDdsDataOffset) {
    error = "a DDS file too short for its header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  const uint8_t* header = bytes.data() + 4;
  const auto word = [header](uint32_t offset) { return LoadLE32(header + offset); };
  const PixelFormatFields pf{word(DdsPfFlags), word(DdsFourCC),    word(DdsBitCount), word(DdsRedMask),
                             word(DdsGreenMask), word(DdsBlueMask), word(DdsAlphaMask)};
  const int32_t format = FormatOf(pf);
  const uint32_t width = word(DdsWidth);
  const uint32_t height = word(DdsHeight);

  info.kind = "DDS texture";
  info.format = format ? FormatName(format) : "unknown pixel format";
  if (format == FormatDXT1) info.format = "DXT1 (opaque or one-bit alpha)";
  info.width = width;
  info.height = height;
  info.rowOrder = "top row first";
  info.declaredLevels = static_cast<int32_t>(word(DdsMipCountField));
  if (format && width <= static_cast<uint32_t>(INT32_MAX) && height <= static_cast<uint32_t>(INT32_MAX)) {
    info.levels = LevelsThatFit(format, static_cast<int32_t>(width), static_cast<int32_t>(height),
                                fileBytes - kDdsDataOffset);
  }
  info.fields = {
      NumberField("size", word(DdsSize)),       HexField("flags", word(DdsFlags)),
      NumberField("height", height),            NumberField("width", width),
      NumberField("linearSize", word(DdsLinearSize)), NumberField("depth", word(DdsDepth)),
      NumberField("mipCount", word(DdsMipCountField)), NumberField("pfSize", word(DdsPfSize)),
      HexField("pfFlags", pf.flags),            TextField("fourCC", pf.fourCC ? FourCCText(pf.fourCC) : ""),
      NumberField("bitCount", pf.bitCount),     HexField("redMask", pf.red),
      HexField("greenMask", pf.green),          HexField("blueMask", pf.blue),
      HexField("alphaMask", pf.alpha),          HexField("caps", word(DdsCaps)),
      HexField("caps2", word(DdsCaps2)),
  };
  return true;
}

}  // namespace quarn::cli
