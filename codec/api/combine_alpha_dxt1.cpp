// CombineAlphaDXT1: a 256 x 256 colour BMP and its alpha BMP merged into a
// DXT1 FS70 texture with one-bit alpha and six further levels. The smaller
// levels come from the resampling library Vorel, loaded at run time.
#include <array>
#include <cstdint>
#include <string>

#include "codec/api/alpha_merge_level.h"
#include "codec/api/file_handle.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/texture_format.h"
#include "platform/platform.h"
#include "quarn/quarn.h"

namespace quarn {

namespace {

// Vorel's resampler: source BMP path, destination BMP path, work buffer, new
// width, new height. Its result is not used: the level files are checked
// instead.
using BmpResizeFunction = int32_t(QUARN_CALL*)(const char* source, const char* destination, void* work,
                                               int32_t newWidth, int32_t newHeight);

constexpr int32_t kMergeSide = 256;
constexpr int32_t kSmallestMergeSide = 4;
constexpr size_t kResizeWorkBytes = 1024;
// Names of the working files start with this ("qme" on Windows, which keeps
// three characters of a prefix).
constexpr char kMergeFilePrefix[] = "qmerge";

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const char* name) : handle_(platform::LoadLibraryByName(name)) {}
  ~LoadedLibrary() { platform::UnloadLibrary(handle_); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  void* handle() const { return handle_; }

 private:
  void* handle_;
};

// The merge's private working files in the platform's temporary folder,
// all removed when the merge ends, whatever its outcome.
class MergeFiles {
 public:
  MergeFiles() {
    for (std::string& path : paths_) {
      path = platform::CreateTemporaryFile(kMergeFilePrefix);
      if (path.empty()) ok_ = false;
    }
  }
  ~MergeFiles() {
    for (const std::string& path : paths_) {
      if (!path.empty()) platform::RemoveFile(path);
    }
  }
  MergeFiles(const MergeFiles&) = delete;
  MergeFiles& operator=(const MergeFiles&) = delete;

  bool ok() const { return ok_; }
  const char* texture() const { return paths_[0].c_str(); }  // header, then each level's blocks
  const char* blocks() const { return paths_[1].c_str(); }   // the level just encoded
  const char* colour() const { return paths_[2].c_str(); }   // colour source at the level's size
  const char* alpha() const { return paths_[3].c_str(); }    // alpha source at the level's size

 private:
  std::array<std::string, 4> paths_;
  bool ok_ = true;
};

bool WriteMergeHeader(const char* path) {
  FileHandle file = OpenFile(path, "wb");
  if (!file) return false;
  WriteFsHeader(FormatDXT1a, kMergeSide, kMergeSide, true, file.get());
  return CloseWrittenFile(file);
}

// Empties a file, so that a resampler that fails cannot leave the previous
// level's pixels to be taken for this level's.
bool Truncate(const char* path) {
  FileHandle file = OpenFile(path, "wb");
  return file && CloseWrittenFile(file);
}

bool MergeLevels(BmpResizeFunction resize, const char* colourPath, const char* alphaPath, const MergeFiles& files) {
  if (!WriteMergeHeader(files.texture())) return false;
  if (!EncodeMergeLevel(colourPath, alphaPath, files.blocks(), kMergeSide, kMergeSide) ||
      !AppendFile(files.texture(), files.blocks())) {
    return false;
  }
  // The work buffer is zeroed once and shared by every call; what it holds
  // is the resampler's business.
  std::array<uint8_t, kResizeWorkBytes> work{};
  for (int32_t side = kMergeSide / 2; side >= kSmallestMergeSide; side /= 2) {
    // Each level is resampled from the caller's sources, not from the
    // previous level.
    if (!Truncate(files.colour()) || !Truncate(files.alpha())) return false;
    resize(colourPath, files.colour(), work.data(), side, side);
    resize(alphaPath, files.alpha(), work.data(), side, side);
    if (!EncodeMergeLevel(files.colour(), files.alpha(), files.blocks(), side, side) ||
        !AppendFile(files.texture(), files.blocks())) {
      return false;
    }
  }
  return true;
}

}  // namespace

}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_CALL CombineAlphaDXT1(const char* colourPath, const char* alphaPath,
                                                         const char* outputPath) {
  using namespace quarn;
  if (colourPath == nullptr || alphaPath == nullptr || outputPath == nullptr) return 0;
  const LoadedLibrary vorel("Vorel");
  if (!vorel.handle()) return 0;
  const auto resize = reinterpret_cast<BmpResizeFunction>(platform::FindSymbol(vorel.handle(), "_bmpresize"));
  if (!resize) return 0;

  const MergeFiles files;
  if (!files.ok() || !MergeLevels(resize, colourPath, alphaPath, files)) return 0;
  // The copy replaces the output whole or not at all.
  return platform::CopyFileReplacing(files.texture(), outputPath) ? 1 : 0;
}
