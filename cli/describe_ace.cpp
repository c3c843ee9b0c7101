// The header of an ACE texture: a 128-byte header, for some widths a level
// table, then DXT1 levels each behind a length word.
#include <cstring>

#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"
#include "file_info.h"

namespace quarn::cli {

namespace {

constexpr size_t kAceHeaderBytes = 128;

std::string FixedText(const uint8_t* at, size_t capacity) {
  return std::string(reinterpret_cast<const char*>(at), strnlen(reinterpret_cast<const char*>(at), capacity));
}

bool HasLevelTable(uint32_t width) { return width == 64 || width == 128 || width == 256 || width == 512; }

int32_t LevelsOfSquare(uint32_t width) {
  int32_t levels = 0;
  for (; width > 0; width >>= 1) ++levels;
  return levels;
}

}  // namespace

bool DescribeAce(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error) {
  if (bytes.size() < kAceHeaderBytes) {
    error = "an ACE file too short for its header (" + std::to_string(bytes.size()) + " bytes)";
    return false;
  }
  const uint8_t* b = bytes.data();
  const uint32_t width = LoadLE32(b + 24);
  const uint32_t height = LoadLE32(b + 28);
  const uint32_t channels = LoadLE32(b + 36);
  info.kind = "ACE texture";
  info.format = channels == 4 ? "DXT1a" : "DXT1";
  info.width = width;
  info.height = height;
  info.rowOrder = "top row first";
  info.fields = {
      NumberField("width", width),
      NumberField("height", height),
      NumberField("formatField", LoadLE32(b + 32)),
      NumberField("channels", channels),
      TextField("name", FixedText(b + 44, 16)),
      TextField("creator", FixedText(b + 60, 64)),
  };

  // Level table: 40 bytes, 16 per channel descriptor, 4 per level offset.
  size_t at = kAceHeaderBytes;
  if (HasLevelTable(width)) {
    const int32_t levels = LevelsOfSquare(width);
    const size_t tableBytes = 40 + 16 * size_t{channels} + 4 * static_cast<size_t>(levels);
    if (channels <= 8 && bytes.size() >= at + tableBytes) {
      std::string offsets;
      const uint8_t* first = b + at + 40 + 16 * size_t{channels};
      for (int32_t level = 0; level < levels; ++level) {
        offsets += (level ? ", " : "") + std::to_string(LoadLE32(first + 4 * level));
      }
      info.fields.push_back(NumberField("tableLength", static_cast<int64_t>(tableBytes)));
      info.fields.push_back(TextField("levelOffsets", offsets));
      info.declaredLevels = levels;
      at += tableBytes;
    }
  }
  // The levels as stored, each behind its length word, down to the first of
  // 8 bytes (4x4); the two smallest levels are replaced by a filler.
  int32_t w = static_cast<int32_t>(width);
  int32_t h = static_cast<int32_t>(height);
  while (w > 0 && h > 0 && at + 4 <= fileBytes && at + 4 <= bytes.size()) {
    const uint32_t length = LoadLE32(b + at);
    if (length != LevelByteSize(FormatDXT1, static_cast<uint32_t>(w), static_cast<uint32_t>(h)) ||
        at + 4 + length > fileBytes) {
      break;
    }
    info.levels.push_back({w, h, length});
    at += 4 + length;
    if (length == 8) break;
    w = NextLevelSide(w);
    h = NextLevelSide(h);
  }
  return true;
}

}  // namespace quarn::cli
