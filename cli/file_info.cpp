#include "file_info.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "codec/engine/texture_format.h"
#include "path_names.h"

namespace quarn::cli {

namespace {

constexpr size_t kHeadBytes = 64 * 1024;

bool StartsWith(const std::vector<uint8_t>& bytes, const char* text) {
  const size_t length = std::strlen(text);
  return bytes.size() >= length && std::memcmp(bytes.data(), text, length) == 0;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

InfoField NumberField(const std::string& name, int64_t value) {
  return {name, std::to_string(value), std::to_string(value)};
}

InfoField HexField(const std::string& name, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return {name, text, std::to_string(value)};
}

InfoField TextField(const std::string& name, const std::string& value) { return {name, value, JsonString(value)}; }

std::vector<LevelInfo> LevelsThatFit(int32_t format, int32_t width, int32_t height, uint64_t dataBytes) {
  std::vector<LevelInfo> levels;
  uint64_t used = 0;
  while (width > 0 && height > 0) {
    const uint64_t bytes = LevelByteSize(format, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    if (bytes == 0 || used + bytes > dataBytes) break;
    used += bytes;
    levels.push_back({width, height, bytes});
    if (width == 1 && height == 1) break;
    width = NextLevelSide(width);
    height = NextLevelSide(height);
  }
  return levels;
}

bool DescribeFile(const std::string& path, FileInfo& info, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = std::string("cannot open the file (") + std::strerror(errno) + ")";
    return false;
  }
  std::vector<uint8_t> bytes(kHeadBytes);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  std::error_code sizeError;
  info.fileBytes = std::filesystem::file_size(path, sizeError);
  if (sizeError) info.fileBytes = bytes.size();

  if (StartsWith(bytes, "DDS ")) return DescribeDds(bytes, info.fileBytes, info, error);
  if (StartsWith(bytes, "SIMISA@@@@@@@@@@")) return DescribeAce(bytes, info.fileBytes, info, error);
  if (StartsWith(bytes, "BM")) return DescribeBmp(bytes, info.fileBytes, info, error);
  // TGA files have no signature: trust the name.
  if (LowerExtension(path) == ".tga") return DescribeTga(bytes, info.fileBytes, info, error);
  error = "not a DDS, FS70 BMP, ACE, TGA or BMP file";
  return false;
}

}  // namespace quarn::cli
