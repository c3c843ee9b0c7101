// What a texture or image file holds, read from its header: the common facts
// (kind, format, sides, levels) and the raw header fields.
#ifndef QUARN_CLI_FILE_INFO_H
#define QUARN_CLI_FILE_INFO_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn::cli {

// One header field: its name, how a person reads it, and its JSON value.
struct InfoField {
  std::string name;
  std::string text;
  std::string json;
};

// `text` as a quoted JSON string.
std::string JsonString(const std::string& text);

InfoField NumberField(const std::string& name, int64_t value);
InfoField HexField(const std::string& name, uint32_t value);  // shown as 0x..., a number in JSON
InfoField TextField(const std::string& name, const std::string& value);

struct LevelInfo {
  int32_t width = 0;
  int32_t height = 0;
  uint64_t bytes = 0;
};

struct FileInfo {
  std::string kind;    // "DDS texture", "FS70 BMP texture", "ACE texture", "TGA image", "BMP image"
  std::string format;  // "DXT1", "565", "24-bit BGR", ...
  int64_t width = 0;
  int64_t height = 0;
  std::string rowOrder;             // "top row first" / "bottom row first"
  int32_t declaredLevels = 0;       // levels the header announces (0: it announces none)
  std::vector<LevelInfo> levels;    // levels whose bytes are in the file
  uint64_t fileBytes = 0;
  std::vector<InfoField> fields;    // header fields in file order
};

// Reads the header of `path`. False with `error` set when the file cannot be
// read or is none of the known kinds.
bool DescribeFile(const std::string& path, FileInfo& info, std::string& error);

// The kinds, one reader each; `bytes` is the file's beginning (up to 64 KiB).
bool DescribeDds(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error);
bool DescribeBmp(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error);
bool DescribeAce(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error);
bool DescribeTga(const std::vector<uint8_t>& bytes, uint64_t fileBytes, FileInfo& info, std::string& error);

// The levels of a mip chain of `format` from `width` x `height` down to 1x1
// (sides halved rounding up), as many as `dataBytes` holds completely.
std::vector<LevelInfo> LevelsThatFit(int32_t format, int32_t width, int32_t height, uint64_t dataBytes);

}  // namespace quarn::cli

#endif
