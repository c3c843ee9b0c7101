#include "picture_source.h"

#include <cstdio>
#include <cstring>

namespace quarn::cli {

bool IsDdsFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char magic[4] = {};
  const bool dds = std::fread(magic, 1, 4, file) == 4 && std::memcmp(magic, "DDS ", 4) == 0;
  std::fclose(file);
  return dds;
}

bool ReadAnyPicture(const std::string& path, Picture& picture, std::string& error) {
  if (!CheckReadable(path, error)) return false;
  if (IsDdsFile(path)) return ReadDdsPicture(path, picture, error);
  return ReadPictureFile(path, picture, error);
}

}  // namespace quarn::cli
