#include "codec/decode/dds_layout.h"

#include <algorithm>

#include "codec/decode/little_endian.h"
#include "codec/decode/source_format.h"

namespace quarn {

SurfaceDesc ParseDdsHeader(const uint8_t bytes[kDdsHeaderBytes]) {
  SurfaceDesc header;
  header.flags = LoadLe32(bytes + 4);
  header.height = LoadLe32(bytes + 8);
  header.width = LoadLe32(bytes + 12);
  header.pitch = int32_t(LoadLe32(bytes + 16));
  header.depth = LoadLe32(bytes + 20);
  header.mipCount = LoadLe32(bytes + 24);
  header.pfFlags = LoadLe32(bytes + 76);
  header.fourCC = LoadLe32(bytes + 80);
  header.bitCount = LoadLe32(bytes + 84);
  header.redMask = LoadLe32(bytes + 88);
  header.greenMask = LoadLe32(bytes + 92);
  header.blueMask = LoadLe32(bytes + 96);
  header.alphaMask = LoadLe32(bytes + 100);
  header.caps = LoadLe32(bytes + 104);
  header.caps2 = LoadLe32(bytes + 108);
  return header;
}

bool ClassifySourceFormat(const SurfaceDesc& header, uint32_t& formatCode, uint32_t& bytesPerPixel) {
  if (IsBlockSource(header.fourCC)) {
    formatCode = header.fourCC;
    bytesPerPixel = (header.fourCC != SourceDXT1 || (header.pfFlags & kDdsPixelAlpha) != 0) ? 4 : 3;
    return true;
  }
  uint32_t code = 0;
  if (header.pfFlags == kDdsPixelRgb) {
    if (header.bitCount == 24) code = SourceR8G8B8;
    else if (header.bitCount == 16 && header.greenMask == 0x07E0) code = SourceR5G6B5;
    else if (header.bitCount == 16 && header.greenMask == 0x03E0) code = SourceX1R5G5B5;
  } else if (header.pfFlags == (kDdsPixelRgb | kDdsPixelAlpha)) {
    if (header.bitCount == 32 && header.alphaMask == 0xFF000000) code = SourceA8R8G8B8;
    else if (header.bitCount == 16 && header.alphaMask == 0x8000) code = SourceA1R5G5B5;
    else if (header.bitCount == 16 && header.alphaMask == 0xF000) code = SourceA4R4G4B4;
  }
  if (code == 0) return false;
  formatCode = code;
  bytesPerPixel = (code == SourceA8R8G8B8 || code == SourceA1R5G5B5 || code == SourceA4R4G4B4) ? 4 : 3;
  return true;
}

uint32_t SignificantBits(uint32_t value) {
  uint32_t bits = 0;
  for (; value != 0; value >>= 1) ++bits;
  return bits;
}

DdsLayoutResult PlanDdsLayout(const SurfaceDesc& header, DdsLayout& layout) {
  DdsLayout plan;
  if (!ClassifySourceFormat(header, plan.formatCode, plan.bytesPerPixel)) return DdsLayoutResult::UnknownFormat;

  plan.levels = header.mipCount != 0 ? SignificantBits(std::max(header.width, header.height)) : 1;
  plan.faces = plan.sideBySide = 1;
  if ((header.caps2 & kDdsCubeMapBits) != 0) plan.faces = plan.sideBySide = 6;
  if ((header.flags & kDdsDepthValid) != 0) plan.faces = plan.sideBySide = header.depth;

  if (header.width == 0 || header.height == 0 || plan.sideBySide == 0) return DdsLayoutResult::Empty;
  // Everything below is computed in 64 bits from values bounded by 32767.
  if (header.width > kMaxDdsSide || header.height > kMaxDdsSide ||
      uint64_t{plan.sideBySide} * header.width > kMaxDdsSide) {
    return DdsLayoutResult::TooLarge;
  }

  uint64_t levelWidthSum = 0;
  for (uint32_t level = 0, w = header.width; level < plan.levels; ++level, w = (w + 1) / 2) levelWidthSum += w;
  const uint64_t rowPixels = uint64_t{plan.sideBySide} * levelWidthSum;
  const uint64_t rows = plan.levels == 1 ? header.height : std::max<uint64_t>(header.height, 8);
  const uint64_t pictureBytes = rowPixels * plan.bytesPerPixel * rows;
  const uint64_t topLevelBytes = SourceLevelBytes(plan.formatCode, header.width, header.height) +
                                 uint64_t{header.width} * header.height * 4;
  if (pictureBytes + topLevelBytes > kMaxDdsReadBytes) return DdsLayoutResult::TooLarge;

  plan.rowPixels = uint32_t(rowPixels);
  plan.rows = uint32_t(rows);
  plan.pictureBytes = pictureBytes;
  layout = plan;
  return DdsLayoutResult::Ok;
}

}  // namespace quarn
