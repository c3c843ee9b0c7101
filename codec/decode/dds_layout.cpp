#include "codec/decode/dds_layout.h"

#include <algorithm>

#include "codec/engine/little_endian.h"
#include "codec/decode/source_format.h"

namespace quarn {

SurfaceDesc ParseDdsHeader(const uint8_t bytes[kDdsHeaderSize]) {
  SurfaceDesc header;
  header.flags = LoadLE32(bytes + DdsFlags);
  header.height = LoadLE32(bytes + DdsHeight);
  header.width = LoadLE32(bytes + DdsWidth);
  header.pitch = int32_t(LoadLE32(bytes + DdsLinearSize));
  header.depth = LoadLE32(bytes + DdsDepth);
  header.mipCount = LoadLE32(bytes + DdsMipCountField);
  header.pfFlags = LoadLE32(bytes + DdsPfFlags);
  header.fourCC = LoadLE32(bytes + DdsFourCC);
  header.bitCount = LoadLE32(bytes + DdsBitCount);
  header.redMask = LoadLE32(bytes + DdsRedMask);
  header.greenMask = LoadLE32(bytes + DdsGreenMask);
  header.blueMask = LoadLE32(bytes + DdsBlueMask);
  header.alphaMask = LoadLE32(bytes + DdsAlphaMask);
  header.caps = LoadLE32(bytes + DdsCaps);
  header.caps2 = LoadLE32(bytes + DdsCaps2);
  return header;
}

bool ClassifySourceFormat(const SurfaceDesc& header, uint32_t& formatCode, uint32_t& bytesPerPixel) {
  if (IsBlockSource(header.fourCC)) {
    formatCode = header.fourCC;
    bytesPerPixel = (header.fourCC != SourceDXT1 || (header.pfFlags & kDdsPfAlpha) != 0) ? 4 : 3;
    return true;
  }
  uint32_t code = 0;
  if (header.pfFlags == kDdsPfRgb) {
    if (header.bitCount == 24) code = SourceR8G8B8;
    else if (header.bitCount == 16 && header.greenMask == 0x07E0) code = SourceR5G6B5;
    else if (header.bitCount == 16 && header.greenMask == 0x03E0) code = SourceX1R5G5B5;
  } else if (header.pfFlags == (kDdsPfRgb | kDdsPfAlpha)) {
    if (header.bitCount == 32 && header.alphaMask == 0xFF000000) code = SourceA8R8G8B8;
    else if (header.bitCount == 16 && header.alphaMask == 0x8000) code = SourceA1R5G5B5;
    else if (header.bitCount == 16 && header.alphaMask == 0xF000) code = SourceA4R4G4B4;
  }
  if (code == 0) return false;
  formatCode = code;
  bytesPerPixel = (code == SourceA8R8G8B8 || code == SourceA1R5G5B5 || code == SourceA4R4G4B4) ? 4 : 3;
  return true;
}

DdsLayoutResult PlanDdsLayout(const SurfaceDesc& header, DdsLayout& layout) {
  DdsLayout plan;
  if (!ClassifySourceFormat(header, plan.formatCode, plan.bytesPerPixel)) return DdsLayoutResult::UnknownFormat;

  // The stored mip count only says whether there are mip maps; how many
  // follows from the sides, as the writer counts them.
  plan.levels = header.mipCount != 0 ? DdsMipCount(header.width, header.height) : 1;
  plan.faces = plan.sideBySide = 1;
  if ((header.caps2 & kDdsCaps2CubeMapAll) != 0) plan.faces = plan.sideBySide = 6;
  if ((header.flags & kDdsFlagDepth) != 0) plan.faces = plan.sideBySide = header.depth;

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
