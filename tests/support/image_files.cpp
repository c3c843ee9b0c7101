#include "support/image_files.h"

#include <algorithm>
#include <fstream>

#include "codec/engine/little_endian.h"

namespace quarn {

std::vector<uint8_t> TgaFile(const TgaFields& fields, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> file(18, 0);
  file[0] = static_cast<uint8_t>(fields.imageId.size());
  file[1] = fields.colourMapType;
  file[2] = fields.imageType;
  StoreLE16(file.data() + 12, static_cast<uint32_t>(fields.width));
  StoreLE16(file.data() + 14, static_cast<uint32_t>(fields.height));
  file[16] = fields.bitsPerPixel;
  file[17] = fields.descriptor;
  file.insert(file.end(), fields.imageId.begin(), fields.imageId.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

size_t BmpRowLength(int32_t width, int32_t bytesPerPixel) {
  return (static_cast<size_t>(width) * static_cast<size_t>(bytesPerPixel) + 3) / 4 * 4;
}

std::vector<uint8_t> BmpFile(const BmpFields& fields, const std::vector<uint8_t>& pixels) {
  const int32_t bytesPerPixel = fields.bitsPerPixel / 8;
  std::vector<uint8_t> palette = fields.palette;
  if (fields.bitsPerPixel == 8 && palette.empty()) {
    for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  }
  const uint32_t offset = fields.pixelOffset ? fields.pixelOffset : static_cast<uint32_t>(54 + palette.size());
  const int32_t rows = fields.height < 0 ? -fields.height : fields.height;
  const size_t rowLength = BmpRowLength(fields.width, bytesPerPixel);
  const size_t pixelRowBytes = static_cast<size_t>(fields.width) * static_cast<size_t>(bytesPerPixel);

  std::vector<uint8_t> file(offset, 0);
  file[0] = static_cast<uint8_t>(fields.signature[0]);
  file[1] = static_cast<uint8_t>(fields.signature[1]);
  StoreLE32(file.data() + 2, static_cast<uint32_t>(offset + rowLength * static_cast<size_t>(rows)));
  StoreLE32(file.data() + 10, offset);
  StoreLE32(file.data() + 14, 40);
  StoreLE32(file.data() + 18, static_cast<uint32_t>(fields.width));
  StoreLE32(file.data() + 22, static_cast<uint32_t>(fields.height));
  StoreLE16(file.data() + 26, 1);
  StoreLE16(file.data() + 28, fields.bitsPerPixel);
  StoreLE32(file.data() + 34, static_cast<uint32_t>(rowLength * static_cast<size_t>(rows)));
  if (!palette.empty()) {
    StoreLE32(file.data() + 46, static_cast<uint32_t>(palette.size() / 4));
    std::copy(palette.begin(), palette.end(), file.begin() + 54);
  }
  // Rows missing from `pixels` are zero.
  std::vector<uint8_t> all = pixels;
  all.resize(std::max(all.size(), pixelRowBytes * static_cast<size_t>(rows)), 0);
  for (int32_t y = 0; y < rows; ++y) {
    const auto row = all.begin() + static_cast<std::ptrdiff_t>(y * pixelRowBytes);
    file.insert(file.end(), row, row + static_cast<std::ptrdiff_t>(pixelRowBytes));
    file.insert(file.end(), rowLength - pixelRowBytes, fields.padByte);
  }
  return file;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quarn
