// TGA and BMP files built byte by byte, for the readers and the alpha merge.
#ifndef QUARN_TESTS_SUPPORT_IMAGE_FILES_H
#define QUARN_TESTS_SUPPORT_IMAGE_FILES_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

// A TGA file: 18-byte header, `imageId` after it, then `pixels` as given.
struct TgaFields {
  int32_t width = 0;
  int32_t height = 0;
  uint8_t bitsPerPixel = 32;
  uint8_t imageType = 2;  // uncompressed true colour
  uint8_t colourMapType = 0;
  uint8_t descriptor = 0;
  std::vector<uint8_t> imageId;
};
std::vector<uint8_t> TgaFile(const TgaFields& fields, const std::vector<uint8_t>& pixels);

// A BMP file: 14-byte file header, 40-byte info header, for 8 bits a palette
// (`palette`, blue-green-red-0 entries, grey ramp when empty), then zero
// bytes up to `pixelOffset` (0: right after the palette), then the rows of
// `pixels` (width x bytes per pixel each, in the order given), each padded
// with `padByte` to a multiple of 4 bytes. `height` is written as given, so
// a negative one marks a top-down file; `bitsPerPixel` only sets the field.
struct BmpFields {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitsPerPixel = 24;
  uint32_t pixelOffset = 0;
  uint8_t padByte = 0xEE;
  std::vector<uint8_t> palette;
  const char* signature = "BM";
};
std::vector<uint8_t> BmpFile(const BmpFields& fields, const std::vector<uint8_t>& pixels);

// Pixel rows of a BMP as stored: `bytesPerPixel` per pixel, padded to 4.
size_t BmpRowLength(int32_t width, int32_t bytesPerPixel);

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace quarn

#endif
