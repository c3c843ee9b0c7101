#include "codec/decode/dds_reader.h"

#include <algorithm>

#include "codec/decode/dds_layout.h"
#include "codec/decode/decode_surface.h"
#include "codec/decode/source_format.h"
#include "codec/engine/little_endian.h"

namespace quarn {
namespace {

// Reads until `byteCount` bytes are in or the source runs dry; what is
// missing keeps its previous contents.
void ReadFully(ByteSource& input, uint8_t* buffer, size_t byteCount) {
  while (byteCount > 0) {
    const size_t got = input.Read(buffer, byteCount);
    if (got == 0) return;
    buffer += got;
    byteCount -= got;
  }
}

// Passes over a level that is not shown, without allocating for it.
void Skip(ByteSource& input, uint64_t byteCount) {
  uint8_t scratch[4096];
  while (byteCount > 0) {
    const size_t want = size_t(std::min<uint64_t>(byteCount, sizeof scratch));
    const size_t got = input.Read(scratch, want);
    if (got == 0) return;
    byteCount -= got;
  }
}

uint8_t* ZeroedBytes(uint64_t byteCount) { return static_cast<uint8_t*>(std::calloc(size_t(byteCount), 1)); }

// Reads and decodes one top level of w x h and copies it into the picture at
// column `column`. False when memory runs out.
bool ReadTopLevel(ByteSource& input, const DdsLayout& layout, uint32_t w, uint32_t h, uint8_t* picture,
                  uint32_t column) {
  const uint64_t storedBytes = SourceLevelBytes(layout.formatCode, w, h);
  PictureBuffer stored(ZeroedBytes(storedBytes));
  PictureBuffer decoded(ZeroedBytes(uint64_t{w} * h * 4));
  if (!stored || !decoded) return false;
  ReadFully(input, stored.get(), size_t(storedBytes));

  SurfaceDesc source;
  source.width = w;
  source.height = h;
  source.surface = stored.get();
  SurfaceDesc output;
  DecodeSurface(source, output, decoded.get(), layout.formatCode);

  const size_t bpp = layout.bytesPerPixel;
  const size_t pictureRowBytes = size_t{layout.rowPixels} * bpp;
  for (uint32_t y = 0; y < output.height; ++y) {
    const uint8_t* from = decoded.get() + size_t{y} * size_t(output.pitch);
    uint8_t* to = picture + y * pictureRowBytes + size_t{column} * bpp;
    for (uint32_t x = 0; x < output.width; ++x, to += bpp, from += 4) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      if (bpp == 4) to[3] = from[3];  // with 3 bytes the alpha is dropped
    }
  }
  return true;
}

}  // namespace

PictureBuffer LoadDdsImage(ByteSource& input, int32_t& width, int32_t& height, int32_t& bytesPerPixel,
                           int32_t& rowPixels, int32_t& rowBytes) {
  EncodeContext context;

  uint8_t magic[4] = {};
  ReadFully(input, magic, sizeof magic);
  if (LoadLE32(magic) != kDdsMagic) return nullptr;
  uint8_t headerBytes[kDdsHeaderSize] = {};
  ReadFully(input, headerBytes, sizeof headerBytes);
  const SurfaceDesc header = ParseDdsHeader(headerBytes);

  DdsLayout layout;
  if (PlanDdsLayout(header, layout) != DdsLayoutResult::Ok) return nullptr;
  // The layout bounds every side by 32767, so these 16-bit fields hold them.
  context.surface.imageMode = 3;
  context.surface.height = int16_t(header.height);
  context.surface.width = int16_t(layout.sideBySide * header.width);
  context.surface.channelDepth = 8;
  context.surface.planes = int16_t(layout.bytesPerPixel);

  PictureBuffer picture(ZeroedBytes(layout.pictureBytes));
  if (!picture) return nullptr;
  uint32_t column = 0;
  for (uint32_t face = 0; face < layout.faces; ++face) {
    uint32_t w = header.width, h = header.height;
    for (uint32_t level = 0; level < layout.levels; ++level) {
      if (level == 0) {
        if (!ReadTopLevel(input, layout, w, h, picture.get(), column)) return nullptr;
      } else {
        Skip(input, SourceLevelBytes(layout.formatCode, w, h));
      }
      w = (w + 1) / 2;
      h = (h + 1) / 2;
    }
    column += header.width;
  }

  width = context.surface.width;
  height = context.surface.height;
  bytesPerPixel = context.surface.planes;
  rowPixels = int32_t(layout.rowPixels);
  rowBytes = int32_t(layout.bytesPerPixel * layout.sideBySide * header.width);
  return picture;
}

}  // namespace quarn
