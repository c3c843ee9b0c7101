#include "bmp_picture.h"

#include <cstdio>
#include <cstring>

#include "codec/engine/little_endian.h"

namespace vorel {

namespace {

constexpr size_t kFileHeaderLength = 14;
constexpr size_t kInfoHeaderLength = 40;
constexpr size_t kGreyPaletteEntries = 256;

using quarn::LoadLE16;
using quarn::LoadLE32;
using quarn::StoreLE16;
using quarn::StoreLE32;

size_t PaddedRowLength(size_t bytes) { return (bytes + 3) / 4 * 4; }

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
  if (!file) return false;
  uint8_t buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + count);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

// Grey level of a palette entry (blue, green, red): the entry's own value
// for grey entries, otherwise its luma with integer weights summing to 256.
uint8_t GreyOf(const uint8_t* entry) {
  return static_cast<uint8_t>((29u * entry[0] + 150u * entry[1] + 77u * entry[2] + 128u) >> 8);
}

}  // namespace

bool ReadBmp(const char* path, Picture& picture) {
  std::vector<uint8_t> file;
  if (!ReadWholeFile(path, file) || file.size() < kFileHeaderLength + kInfoHeaderLength) return false;
  const uint8_t* h = file.data();
  if (h[0] != 'B' || h[1] != 'M') return false;
  const uint32_t dataOffset = LoadLE32(h + 10);
  const uint32_t infoLength = LoadLE32(h + 14);
  const int32_t width = static_cast<int32_t>(LoadLE32(h + 18));
  const int32_t storedHeight = static_cast<int32_t>(LoadLE32(h + 22));
  const uint32_t bitsPerPixel = LoadLE16(h + 28);
  const uint32_t compression = LoadLE32(h + 30);
  if (infoLength < kInfoHeaderLength || compression != 0 || (bitsPerPixel != 24 && bitsPerPixel != 8)) return false;
  // A negative height marks rows stored top-down.
  const bool topDown = storedHeight < 0;
  const int64_t height = topDown ? -int64_t{storedHeight} : storedHeight;
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) return false;

  const size_t w = static_cast<size_t>(width);
  const size_t rows = static_cast<size_t>(height);
  const size_t channels = bitsPerPixel == 24 ? 3 : 1;
  const size_t rowLength = PaddedRowLength(w * channels);
  if (dataOffset > file.size() || (file.size() - dataOffset) / rowLength < rows) return false;

  uint8_t grey[256] = {};
  if (channels == 1) {
    const size_t paletteOffset = kFileHeaderLength + infoLength;
    size_t entries = LoadLE32(h + 46);
    if (entries == 0 || entries > 256) entries = 256;
    if (paletteOffset > file.size() || (file.size() - paletteOffset) / 4 < entries) return false;
    for (size_t i = 0; i < entries; ++i) grey[i] = GreyOf(h + paletteOffset + 4 * i);
  }

  picture.width = width;
  picture.height = static_cast<int32_t>(height);
  picture.channels = static_cast<int32_t>(channels);
  picture.pixels.resize(w * rows * channels);
  for (size_t y = 0; y < rows; ++y) {
    const size_t stored = topDown ? rows - 1 - y : y;
    const uint8_t* in = file.data() + dataOffset + stored * rowLength;
    uint8_t* out = picture.pixels.data() + y * w * channels;
    if (channels == 3) {
      std::memcpy(out, in, w * 3);
    } else {
      for (size_t x = 0; x < w; ++x) out[x] = grey[in[x]];
    }
  }
  return true;
}

bool WriteBmp(const char* path, const Picture& picture) {
  const size_t w = static_cast<size_t>(picture.width);
  const size_t rows = static_cast<size_t>(picture.height);
  const size_t channels = static_cast<size_t>(picture.channels);
  const size_t rowLength = PaddedRowLength(w * channels);
  const size_t paletteLength = channels == 1 ? 4 * kGreyPaletteEntries : 0;
  const size_t dataOffset = kFileHeaderLength + kInfoHeaderLength + paletteLength;
  std::vector<uint8_t> file(dataOffset + rowLength * rows, 0);
  uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  StoreLE32(h + 2, static_cast<uint32_t>(file.size()));
  StoreLE32(h + 10, static_cast<uint32_t>(dataOffset));
  StoreLE32(h + 14, kInfoHeaderLength);
  StoreLE32(h + 18, static_cast<uint32_t>(w));
  StoreLE32(h + 22, static_cast<uint32_t>(rows));
  StoreLE16(h + 26, 1);
  StoreLE16(h + 28, static_cast<uint32_t>(channels * 8));
  StoreLE32(h + 34, static_cast<uint32_t>(rowLength * rows));
  if (channels == 1) {
    StoreLE32(h + 46, kGreyPaletteEntries);
    for (size_t i = 0; i < kGreyPaletteEntries; ++i) {
      uint8_t* entry = h + kFileHeaderLength + kInfoHeaderLength + 4 * i;
      entry[0] = entry[1] = entry[2] = static_cast<uint8_t>(i);
    }
  }
  for (size_t y = 0; y < rows; ++y) {
    std::memcpy(h + dataOffset + y * rowLength, picture.pixels.data() + y * w * channels, w * channels);
  }

  std::FILE* out = path ? std::fopen(path, "wb") : nullptr;
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace vorel
