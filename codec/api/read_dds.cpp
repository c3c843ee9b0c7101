// Read_DDS: a DDS file as a named 24-bit red, green, blue picture for the host.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "codec/api/dds_kind.h"
#include "codec/api/export_state.h"
#include "codec/decode/dds_reader.h"
#include "quarn/quarn.h"

namespace quarn {
namespace {

// Opens the file into ExportState, names its kind from the first 128 bytes
// and loads the picture; the file is closed again before returning.
PictureBuffer LoadIntoState(const char* path, DdsKind& kind, int32_t& width, int32_t& height,
                            int32_t& bytesPerPixel, int32_t& rowPixels, int32_t& rowBytes) {
  ExportState& state = GetExportState();
  state.inputFile = std::fopen(path, "rb");
  if (!state.inputFile) return nullptr;
  // Cleared first, so that a file shorter than 128 bytes is named from its
  // own bytes and zeros, never from the previous file's.
  std::memset(state.sniffHeader, 0, sizeof state.sniffHeader);
  const size_t sniffed = std::fread(state.sniffHeader, 1, sizeof state.sniffHeader, state.inputFile);
  static_cast<void>(sniffed);
  std::rewind(state.inputFile);
  kind = SniffDdsKind(state.sniffHeader);

  FileByteSource input(state.inputFile);
  PictureBuffer picture = LoadDdsImage(input, width, height, bytesPerPixel, rowPixels, rowBytes);
  std::fclose(state.inputFile);
  state.inputFile = nullptr;
  return picture;
}

}  // namespace
}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_CALL Read_DDS(const char* path, ReadDdsResult* result) {
  using namespace quarn;
  if (path == nullptr || result == nullptr) return 0;
  DdsKind kind = DdsKindUnknown;
  int32_t width = 0, height = 0, bytesPerPixel = 0, rowPixels = 0, rowBytes = 0;
  const PictureBuffer picture = LoadIntoState(path, kind, width, height, bytesPerPixel, rowPixels, rowBytes);
  if (!picture) return 0;

  result->width = width;
  result->height = height;
  result->bitsPerPixel = 24;
  result->reserved1 = 0;
  std::snprintf(result->caption, sizeof result->caption, "%s : %d x %d", DdsKindName(kind), width, height);
  // The reader bounds the sides, so this size is at most its picture's.
  auto* rgb = static_cast<uint8_t*>(std::malloc(size_t(width) * size_t(height) * 3));
  result->rgbPixels = rgb;
  if (!rgb) return 0;

  // The picture may be wider than the faces (mip-mapped files): walk it by
  // its own row length and keep only the first `width` pixels of each row.
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* from = picture.get() + size_t(y) * size_t(rowPixels) * size_t(bytesPerPixel);
    for (int32_t x = 0; x < width; ++x, from += bytesPerPixel, rgb += 3) {
      rgb[0] = from[2];
      rgb[1] = from[1];
      rgb[2] = from[0];
    }
  }
  return 1;
}
