#include "codec/api/alpha_merge_level.h"

#include <cstdio>
#include <vector>

#include "codec/api/alpha_merge_block.h"
#include "codec/api/bmp_rows.h"
#include "codec/api/file_handle.h"

namespace quarn {

bool EncodeMergeLevel(const char* colourPath, const char* alphaPath, const char* blockPath, int32_t width,
                      int32_t height) {
  if (width < 4 || height < 4) return false;
  const size_t colourRowLength = BmpPaddedRowLength(3 * static_cast<size_t>(width));
  const size_t alphaRowLength = BmpPaddedRowLength(static_cast<size_t>(width));
  std::vector<uint8_t> colourRows(4 * colourRowLength);
  std::vector<uint8_t> alphaRows(4 * alphaRowLength);

  FileHandle colourFile = OpenFile(colourPath, "rb");
  FileHandle alphaFile = OpenFile(alphaPath, "rb");
  if (!colourFile || !alphaFile) return false;
  if (std::fseek(colourFile.get(), kMergeColourRowsOffset, SEEK_SET) != 0 ||
      std::fseek(alphaFile.get(), kMergeAlphaRowsOffset, SEEK_SET) != 0) {
    return false;
  }
  FileHandle blockFile = OpenFile(blockPath, "wb");
  if (!blockFile) return false;

  const uint8_t* colour[4];
  const uint8_t* alpha[4];
  uint8_t block[kMergeBlockBytes];
  for (int32_t group = 0; group < height / 4; ++group) {
    // A short source would leave rows of an earlier group (or nothing) in the
    // buffers: such a level cannot be produced.
    if (std::fread(colourRows.data(), 1, colourRows.size(), colourFile.get()) != colourRows.size() ||
        std::fread(alphaRows.data(), 1, alphaRows.size(), alphaFile.get()) != alphaRows.size()) {
      return false;
    }
    for (int32_t column = 0; column < width / 4; ++column) {
      for (int32_t r = 0; r < 4; ++r) {
        colour[r] = colourRows.data() + r * colourRowLength + 12 * static_cast<size_t>(column);
        alpha[r] = alphaRows.data() + r * alphaRowLength + 4 * static_cast<size_t>(column);
      }
      EncodeMergeBlock(colour, alpha, block);
      if (std::fwrite(block, 1, sizeof block, blockFile.get()) != sizeof block) return false;
    }
  }
  return CloseWrittenFile(blockFile);
}

bool AppendFile(const char* destination, const char* source) {
  FileHandle out = OpenFile(destination, "rb+");
  if (!out || std::fseek(out.get(), 0, SEEK_END) != 0) return false;
  FileHandle in = OpenFile(source, "rb");
  if (!in) return false;
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
    if (std::fwrite(buffer, 1, count, out.get()) != count) return false;
  }
  return !std::ferror(in.get()) && CloseWrittenFile(out);
}

}  // namespace quarn
