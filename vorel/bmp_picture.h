// BMP files as Vorel reads and writes them, and the picture in between.
#ifndef VOREL_BMP_PICTURE_H
#define VOREL_BMP_PICTURE_H

#include <cstdint>
#include <vector>

namespace vorel {

// Pixels with 3 channels (blue, green, red) or 1 (grey), rows bottom-up (the
// first row is the bottom of the picture), no padding.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  int32_t channels = 0;
  std::vector<uint8_t> pixels;
};

constexpr int32_t kMaxSide = 65535;

// Reads an uncompressed 24-bit BMP or a palettised 8-bit one (palette
// entries become grey levels). False when the file cannot be read or is of
// another kind.
bool ReadBmp(const char* path, Picture& picture);

// Writes a 24-bit BMP (3 channels) or an 8-bit BMP with a grey palette
// (1 channel), rows bottom-up and padded to 4 bytes.
bool WriteBmp(const char* path, const Picture& picture);

}  // namespace vorel

#endif
