// The header of a TGA image.
#include "codec/engine/little_endian.h"
#include "file_info.h"

namespace quarn::cli {

namespace {

constexpr size_t kTgaHeaderBytes = 18;

std::string ImageTypeText(uint32_t type) {
  switch (type) {
    case 1:
      return "colour-mapped";
    case 2:
      return "true colour";
    case 3:
      return "grey";
    case 9:
      return "colour-mapped, run-length encoded";
    case 10:
      return "true colour, run-length encoded";
    case 11:
      return "grey, run-length encoded";
    default:
      return "unknown type " + std::to_string(type);
  }
}

}  // namespace

bool DescribeTga(const std::vector<uint8_t>& bytes, uint64_t, FileInfo& info, std::string& error) {
  if (bytes.size() < kTgaHeaderBytes) {
    error = "a TGA file too short for its header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  const uint8_t* b = bytes.data();
  const uint32_t type = b[2];
  const uint32_t bitsPerPixel = b[16];
  const uint32_t descriptor = b[17];
  info.kind = "TGA image";
  info.format = std::to_string(bitsPerPixel) + "-bit " + ImageTypeText(type);
  info.width = LoadLE16(b + 12);
  info.height = LoadLE16(b + 14);
  info.rowOrder = (descriptor & 0x20) ? "top row first" : "bottom row first";
  info.fields = {
      NumberField("idLength", b[0]),
      NumberField("colourMapType", b[1]),
      NumberField("imageType", type),
      NumberField("colourMapStart", LoadLE16(b + 3)),
      NumberField("colourMapLength", LoadLE16(b + 5)),
      NumberField("colourMapEntryBits", b[7]),
      NumberField("xOrigin", LoadLE16(b + 8)),
      NumberField("yOrigin", LoadLE16(b + 10)),
      NumberField("width", info.width),
      NumberField("height", info.height),
      NumberField("bitsPerPixel", bitsPerPixel),
      HexField("descriptor", descriptor),
  };
  return true;
}

}  // namespace quarn::cli
