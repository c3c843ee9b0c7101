// Loads a DDS file into one uncompressed picture: the top level of every face
// or depth slice, side by side.
#ifndef QUARN_CODEC_DECODE_DDS_READER_H
#define QUARN_CODEC_DECODE_DDS_READER_H

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "codec/engine/encode_settings.h"

namespace quarn {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using PictureBuffer = std::unique_ptr<uint8_t[], FreeDeleter>;

// Reads a DDS file from `input` (positioned at its first byte) and returns
// the picture: rows top to bottom, rowPixels pixels per row of bytesPerPixel
// bytes (blue, green, red[, alpha]); the first `height` rows hold the faces
// in their first width columns, everything else is zero. A file that ends
// early reads as zeros. Returns null, with the out-parameters untouched, when
// the file is not a readable DDS file or would exceed kMaxDdsReadBytes.
// Re-entrant: all storage belongs to the call.
PictureBuffer LoadDdsImage(ByteSource& input, int32_t& width, int32_t& height, int32_t& bytesPerPixel,
                           int32_t& rowPixels, int32_t& rowBytes);

}  // namespace quarn

#endif
