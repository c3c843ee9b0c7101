// What a DDS header says about the file's contents and how the reader lays
// them out in one picture, with the limits that keep a hostile header from
// overflowing sizes or asking for huge allocations.
#ifndef QUARN_CODEC_DECODE_DDS_LAYOUT_H
#define QUARN_CODEC_DECODE_DDS_LAYOUT_H

#include <cstdint>

#include "codec/encode/surface_desc.h"
#include "codec/engine/dds_header.h"

namespace quarn {

// Sides and the picture's width travel in 16-bit signed fields.
constexpr uint32_t kMaxDdsSide = 32767;

// Ceiling on what the reader allocates for one file: the picture, the stored
// top level and its decoded pixels together. An 8192 x 8192 32-bit texture
// with mip maps needs just under it; a 32-bit host could not hold the next
// size up (16384 x 16384 with mip maps is 2 GiB for the picture alone).
constexpr uint64_t kMaxDdsReadBytes = uint64_t{1} << 30;

struct DdsLayout {
  uint32_t formatCode = 0;     // SourceFormat
  uint32_t bytesPerPixel = 0;  // of the picture, 3 or 4
  uint32_t levels = 0;         // stored levels per face or slice
  uint32_t faces = 0;          // faces or slices, in file order
  uint32_t sideBySide = 0;     // how many top levels stand side by side
  uint32_t rowPixels = 0;      // picture row length in pixels
  uint32_t rows = 0;           // picture rows
  uint64_t pictureBytes = 0;
};

enum class DdsLayoutResult {
  Ok,
  UnknownFormat,  // the pixel format matches no readable source format
  Empty,          // no pixels: a width, height or depth of 0
  TooLarge,       // a side or the picture width beyond 32767, or over the allocation ceiling
};

// The header's fields from its 124 bytes (after the magic), little-endian;
// linearSize goes to `pitch`.
SurfaceDesc ParseDdsHeader(const uint8_t bytes[kDdsHeaderSize]);

// Classifies the pixel format: the fourCC first, then the RGB layouts.
// Returns false when no readable format matches.
bool ClassifySourceFormat(const SurfaceDesc& header, uint32_t& formatCode, uint32_t& bytesPerPixel);

// Works out the layout of the file that `header` describes; `layout` is
// filled only when the result is Ok.
DdsLayoutResult PlanDdsLayout(const SurfaceDesc& header, DdsLayout& layout);

}  // namespace quarn

#endif
