// Encodes one picture into one of the texture containers, through the
// codec's re-entrant internal API (safe to run on many threads at once).
#ifndef QUARN_CLI_TEXTURE_WRITER_H
#define QUARN_CLI_TEXTURE_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

#include "format_names.h"
#include "image_file.h"

namespace quarn::cli {

struct TextureRequest {
  int32_t format = 0;
  bool dither = false;
  Container container = Container::Dds;
  bool mipHeader = true;  // FS70: the header declares the mip levels
};

// Whether the container can hold the format at all; otherwise false with a
// message that names both (e.g. FS70 has no header for DXT5).
bool ContainerTakesFormat(Container container, int32_t format, std::string& error);

// Whether the codec encodes a `width` x `height` image in `format`; otherwise
// false with a message such as "DXT1 needs power-of-two sides, the image is
// 451x300".
bool CheckEncodable(int32_t format, int32_t width, int32_t height, std::string& error);

// The files that writing to `output` creates: `output` itself, or for the
// mip container one file per level, "<output><level>.bmp".
std::vector<std::string> OutputFiles(Container container, const std::string& output, int32_t width,
                                     int32_t height);

// Encodes `picture` (rows already in the order the container stores them)
// and writes the container to `output` (a prefix for the mip container).
// Every file appears complete or not at all. Returns false with `error` set
// when nothing was written; `bytesWritten` counts all files on success.
bool WriteTexture(const Picture& picture, const TextureRequest& request, const std::string& output,
                  uint64_t& bytesWritten, std::string& error);

}  // namespace quarn::cli

#endif
