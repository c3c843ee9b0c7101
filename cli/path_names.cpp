#include "path_names.h"

#include <cctype>
#include <filesystem>

namespace quarn::cli {

namespace fs = std::filesystem;

std::string LowerExtension(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
  return fs::path(path).replace_extension(extension).string();
}

std::string InFolder(const std::string& folder, const std::string& path, const std::string& extension) {
  return (fs::path(folder) / fs::path(path).filename().replace_extension(extension)).string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

}  // namespace quarn::cli
