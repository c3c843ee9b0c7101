// DDS textures read back through the codec's re-entrant DDS reader.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "codec/api/export_state.h"
#include "codec/decode/dds_reader.h"
#include "picture_source.h"

namespace quarn::cli {

bool ReadDdsPicture(const std::string& path, Picture& picture, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = std::string("cannot open the file (") + std::strerror(errno) + ")";
    return false;
  }
  FileByteSource source(file);
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytesPerPixel = 0;
  int32_t rowPixels = 0;
  int32_t rowBytes = 0;
  const PictureBuffer pixels = LoadDdsImage(source, width, height, bytesPerPixel, rowPixels, rowBytes);
  std::fclose(file);
  if (!pixels) {
    error = "not a DDS texture the codec can read (unknown pixel format or impossible sides)";
    return false;
  }
  // The reader's rows may be wider than the picture (room for the smaller
  // levels): take the first `width` pixels of each of the `height` rows.
  picture.width = width;
  picture.height = height;
  picture.hasAlpha = bytesPerPixel == 4;
  picture.bgra.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  uint8_t* out = picture.bgra.data();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(rowPixels) * bytesPerPixel;
    for (int32_t x = 0; x < width; ++x, in += bytesPerPixel, out += 4) {
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
      out[3] = bytesPerPixel == 4 ? in[3] : 255;
    }
  }
  return true;
}

}  // namespace quarn::cli
