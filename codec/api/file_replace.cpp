#include "codec/api/file_replace.h"

#include <fcntl.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "codec/api/file_handle.h"

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace quarn {

namespace {

namespace fs = std::filesystem;

// Opens `path` for writing only if no file of that name exists yet.
FileHandle CreateNewFile(const std::string& path) {
#ifdef _WIN32
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  std::FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (fd >= 0 && !file) _close(fd);
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  std::FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
  if (fd >= 0 && !file) close(fd);
#endif
  return FileHandle(file);
}

// Creates a file that did not exist before, named after the
// destination so that it lies in the same folder and the rename stays
// within one file system.
FileHandle CreateSiblingFile(const std::string& destination, std::string& path) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x~", static_cast<unsigned>(entropy()));
    path = destination + suffix;
    FileHandle file = CreateNewFile(path);
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
