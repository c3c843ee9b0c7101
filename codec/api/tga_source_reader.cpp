#include <cstdio>
#include <new>

#include "codec/api/file_handle.h"
#include "codec/api/source_readers.h"
#include "codec/engine/little_endian.h"

namespace quarn {

namespace {

constexpr size_t kTgaHeaderLength = 18;
constexpr uint8_t kTgaImageTypeColourMapped = 1;
constexpr uint8_t kTgaImageTypeRunLengthFlag = 8;

}  // namespace

bool ReadTgaSource(const char* path, SourceImage& image) {
  FileHandle file = OpenFile(path, "rb");
  if (!file) return false;

  uint8_t header[kTgaHeaderLength] = {};
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) return false;
  const uint32_t idLength = header[0];
  const uint8_t colourMapType = header[1];
  const uint8_t imageType = header[2];
  const int32_t width = static_cast<int32_t>(LoadLE16(header + 12));
  const int32_t height = static_cast<int32_t>(LoadLE16(header + 14));
  const uint8_t bitsPerPixel = header[16];

  // Palette indices or run-length packets are not pixels: converting them
  // as such would only produce garbage.
  if (colourMapType != 0 || imageType == kTgaImageTypeColourMapped || (imageType & kTgaImageTypeRunLengthFlag)) {
    return false;
  }
  const int32_t planes = bitsPerPixel == 32 ? 4 : bitsPerPixel == 24 ? 3 : 0;
  if (planes == 0 || width < 1 || width > kMaxSourceSide || height < 1 || height > kMaxSourceSide) return false;

  try {
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(planes), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  // The pixels follow the image-ID field.
  if (std::fseek(file.get(), static_cast<long>(kTgaHeaderLength + idLength), SEEK_SET) != 0) return false;
  std::fread(image.pixels.data(), 1, image.pixels.size(), file.get());
  image.width = width;
  image.height = height;
  image.planes = planes;
  return true;
}

}  // namespace quarn
