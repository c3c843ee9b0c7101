// The DDS file header that the engine writes before the levels.
#ifndef QUARN_CODEC_ENGINE_DDS_HEADER_H
#define QUARN_CODEC_ENGINE_DDS_HEADER_H

#include <array>
#include <cstdint>

#include "codec/engine/encode_settings.h"

namespace quarn {

constexpr uint32_t kDdsMagic = 0x20534444;  // "DDS "
constexpr uint32_t kDdsHeaderSize = 124;
constexpr uint32_t kDdsDataOffset = 128;  // magic + header

// Header flags, pixel-format flags and caps bits.
constexpr uint32_t kDdsFlagCaps = 0x1;
constexpr uint32_t kDdsFlagHeight = 0x2;
constexpr uint32_t kDdsFlagWidth = 0x4;
constexpr uint32_t kDdsFlagPixelFormat = 0x1000;
constexpr uint32_t kDdsFlagMipCount = 0x20000;
constexpr uint32_t kDdsFlagLinearSize = 0x80000;
constexpr uint32_t kDdsFlagDepth = 0x800000;
constexpr uint32_t kDdsPfAlpha = 0x1;
constexpr uint32_t kDdsPfFourCC = 0x4;
constexpr uint32_t kDdsPfRgb = 0x40;
constexpr uint32_t kDdsCapsComplex = 0x8;
constexpr uint32_t kDdsCapsTexture = 0x1000;
constexpr uint32_t kDdsCapsMipmap = 0x400000;
constexpr uint32_t kDdsCaps2CubeMapAll = 0xFE00;

// Byte offsets of the header words, counted from the start of the header
// (add 4 for the file offset).
enum DdsHeaderOffset : uint32_t {
  DdsSize = 0,
  DdsFlags = 4,
  DdsHeight = 8,
  DdsWidth = 12,
  DdsLinearSize = 16,
  DdsDepth = 20,
  DdsMipCountField = 24,
  DdsPfSize = 72,
  DdsPfFlags = 76,
  DdsFourCC = 80,
  DdsBitCount = 84,
  DdsRedMask = 88,
  DdsGreenMask = 92,
  DdsBlueMask = 96,
  DdsAlphaMask = 100,
  DdsCaps = 104,
  DdsCaps2 = 108,
};

// Number of significant bits of max(width, height): the mip count written
// into the header (1 for 1, 9 for 256 to 511).
uint32_t DdsMipCount(uint32_t width, uint32_t height);

// The 4-byte magic followed by the 124-byte header for a texture of `format`.
std::array<uint8_t, kDdsDataOffset> BuildDdsHeader(uint32_t width, uint32_t height, int32_t format,
                                                   uint32_t linearSize);

// Writes the magic and the header to the context's output, in two writes.
void WriteDdsHeader(EncodeContext& context, uint32_t width, uint32_t height, int32_t format, uint32_t linearSize);

}  // namespace quarn

#endif
