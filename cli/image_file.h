// Pictures as the tool moves them around, and reading and writing them as
// PNG, JPEG, TGA or BMP files.
#ifndef QUARN_CLI_IMAGE_FILE_H
#define QUARN_CLI_IMAGE_FILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn::cli {

// Rows top to bottom without padding; 4 bytes per pixel: blue, green, red,
// alpha (the codec's byte order). `hasAlpha` tells whether the file had an
// alpha channel (otherwise alpha is 255 everywhere).
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  bool hasAlpha = false;
  std::vector<uint8_t> bgra;

  size_t RowBytes() const { return static_cast<size_t>(width) * 4; }
};

// Whether `path` is a file that can be opened for reading; otherwise false
// with the reason in `error`.
bool CheckReadable(const std::string& path, std::string& error);

// Reads a PNG, JPEG, TGA or BMP file. On failure returns false and says why
// in `error` (without the file name).
bool ReadPictureFile(const std::string& path, Picture& picture, std::string& error);

// Reads a file as one grey level per pixel (colour images by luminance).
bool ReadGreyFile(const std::string& path, int32_t& width, int32_t& height, std::vector<uint8_t>& grey,
                  std::string& error);

// Encodes the picture as PNG, TGA or BMP, chosen by the extension of `path`
// (case-insensitive); alpha is kept for PNG and TGA when the picture has it.
// Returns false with `error` set for another extension or a failed encode.
bool EncodePictureFile(const std::string& path, const Picture& picture, std::vector<uint8_t>& bytes,
                       std::string& error);

// Reverses the order of the rows in place.
void FlipRows(Picture& picture);

}  // namespace quarn::cli

#endif
