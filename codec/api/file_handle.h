// An open C file that closes itself.
#ifndef QUARN_CODEC_API_FILE_HANDLE_H
#define QUARN_CODEC_API_FILE_HANDLE_H

#include <cstdio>
#include <memory>

namespace quarn {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

inline FileHandle OpenFile(const char* path, const char* mode) {
  return FileHandle(path ? std::fopen(path, mode) : nullptr);
}

// Closes the file and tells whether everything written to it reached the
// system.
inline bool CloseWrittenFile(FileHandle& file) {
  std::FILE* raw = file.release();
  return raw && std::fclose(raw) == 0;
}

}  // namespace quarn

#endif
