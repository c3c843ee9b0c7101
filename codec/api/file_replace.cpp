#include "codec/api/file_replace.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "codec/api/file_handle.h"

namespace quarn {

namespace {

namespace fs = std::filesystem;

// Creates a file that did not exist before ("x": exclusive), named after the
// destination so that it lies in the same folder and the rename stays
// within one file system.
FileHandle CreateSiblingFile(const std::string& destination, std::string& path) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x~", static_cast<unsigned>(entropy()));
    path = destination + suffix;
    FileHandle file(std::fopen(path.c_str(), "wbx"));
    if (file) return file;
  }
  path.clear();
  return FileHandle();
}

bool CopyContents(std::FILE* in, std::FILE* out) {
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    if (std::fwrite(buffer, 1, count, out) != count) return false;
  }
  return !std::ferror(in);
}

bool IsReadOnly(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) &&
         (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool ReplaceFileWithCopy(const char* source, const char* destination) {
  if (source == nullptr || destination == nullptr || *destination == '\0') return false;
  const fs::path target(destination);
  if (IsReadOnly(target)) return false;
  FileHandle in = OpenFile(source, "rb");
  if (!in) return false;

  std::string partial;
  FileHandle out = CreateSiblingFile(destination, partial);
  if (!out) return false;
  bool copied = CopyContents(in.get(), out.get());
  copied = CloseWrittenFile(out) && copied;
  std::error_code error;
  if (copied) fs::rename(fs::path(partial), target, error);
  if (!copied || error) {
    std::remove(partial.c_str());
    return false;
  }
  return true;
}

}  // namespace quarn
