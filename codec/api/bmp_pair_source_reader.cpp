#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>
#include <vector>

#include "codec/api/bmp_rows.h"
#include "codec/api/file_handle.h"
#include "codec/api/source_readers.h"
#include "codec/engine/little_endian.h"

namespace quarn {

namespace {

constexpr size_t kBmpFileHeaderLength = 14;
constexpr size_t kBmpInfoHeaderEnd = 54;

// Checks the "BM" signature and returns the pixel-data offset field.
bool ReadPixelDataOffset(const uint8_t* fileHeader, uint32_t& offset) {
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return false;
  offset = LoadLE32(fileHeader + 10);
  return true;
}

bool SeekTo(std::FILE* file, uint32_t offset) {
  return offset <= static_cast<uint32_t>(LONG_MAX) && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

// Reads one stored row with its padding; bytes past the end of the file
// read as 255.
void ReadRow(std::FILE* file, std::vector<uint8_t>& row) {
  std::fill(row.begin(), row.end(), uint8_t{255});
  std::fread(row.data(), 1, row.size(), file);
}

}  // namespace

bool ReadBmpPairSource(const char* colourPath, const char* alphaPath, SourceImage& image) {
  FileHandle colourFile = OpenFile(colourPath, "rb");
  if (!colourFile) return false;
  FileHandle alphaFile = OpenFile(alphaPath, "rb");
  if (!alphaFile) return false;

  uint8_t colourHeader[kBmpInfoHeaderEnd] = {};
  std::fread(colourHeader, 1, sizeof colourHeader, colourFile.get());
  uint8_t alphaHeader[kBmpFileHeaderLength] = {};
  std::fread(alphaHeader, 1, sizeof alphaHeader, alphaFile.get());
  uint32_t colourOffset = 0;
  uint32_t alphaOffset = 0;
  if (!ReadPixelDataOffset(colourHeader, colourOffset) || !ReadPixelDataOffset(alphaHeader, alphaOffset)) {
    return false;
  }

  // The low 16 bits of the 32-bit size fields: a top-down file's negative
  // height comes out far above the limit.
  const int32_t width = static_cast<int32_t>(LoadLE16(colourHeader + 18));
  const int32_t height = static_cast<int32_t>(LoadLE16(colourHeader + 22));
  const uint8_t bitsPerPixel = colourHeader[28];
  if (bitsPerPixel != 24 || width < 1 || width > kMaxSourceSide || height < 1 || height > kMaxSourceSide) {
    return false;
  }
  if (!SeekTo(colourFile.get(), colourOffset) || !SeekTo(alphaFile.get(), alphaOffset)) return false;

  const size_t w = static_cast<size_t>(width);
  std::vector<uint8_t> colourRow;
  std::vector<uint8_t> alphaRow;
  try {
    image.pixels.resize(w * static_cast<size_t>(height) * 4);
    colourRow.resize(BmpPaddedRowLength(3 * w));
    alphaRow.resize(BmpPaddedRowLength(w));
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint8_t* out = image.pixels.data();
  for (int32_t y = 0; y < height; ++y) {
    ReadRow(colourFile.get(), colourRow);
    ReadRow(alphaFile.get(), alphaRow);
    for (size_t x = 0; x < w; ++x, out += 4) {
      out[0] = colourRow[3 * x];
      out[1] = colourRow[3 * x + 1];
      out[2] = colourRow[3 * x + 2];
      out[3] = alphaRow[x];
    }
  }
  image.width = width;
  image.height = height;
  image.planes = 4;
  return true;
}

}  // namespace quarn
