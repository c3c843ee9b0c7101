// DXTcreateMIPS: one FS70 BMP texture file per level, "<prefix><level>.bmp".
#include <cstdio>
#include <cstring>

#include "codec/api/export_state.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/texture_format.h"
#include "quarn/quarn.h"

namespace quarn {

namespace {

constexpr size_t kLevelPathCapacity = 260;  // longest level file name + 1

bool LevelFilePath(const char* prefix, int32_t level, char (&path)[kLevelPathCapacity]) {
  const int written = std::snprintf(path, sizeof path, "%s%d.bmp", prefix, level);
  return written > 0 && static_cast<size_t>(written) < sizeof path;
}

}  // namespace

int32_t MipFileSink(const uint8_t* bytes, int32_t level, int32_t byteCount) {
  ExportState& state = GetExportState();
  char path[kLevelPathCapacity];
  std::FILE* file = LevelFilePath(state.mipPathPrefix, level, path) ? std::fopen(path, "wb") : nullptr;
  const int32_t width = state.mipWidth;
  const int32_t height = state.mipHeight;
  // Each file declares its own level's size: sides halve rounding up, as the
  // engine makes the levels. The sizes move on even when a file cannot be
  // created, so that the following files still declare their own sizes.
  state.mipWidth = NextLevelSide(width);
  state.mipHeight = NextLevelSide(height);
  if (!file) return 1;
  WriteFsHeader(state.mipFormat, width, height, false, file);
  if (byteCount > 0) std::fwrite(bytes, 1, static_cast<size_t>(byteCount), file);
  std::fclose(file);
  state.lastLevel = level;
  return 0;
}

}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_CALL DXTcreateMIPS(const uint8_t* image, int32_t width, int32_t height,
                                                      int32_t format, uint8_t dither, int32_t planes,
                                                      const char* pathPrefix) {
  using namespace quarn;
  ExportState& state = GetExportState();
  // The prefix must fit its 256-byte buffer, and every level file name
  // (prefix, up to two digits, ".bmp") the 260-byte path buffer.
  if (pathPrefix == nullptr) return 0;
  const size_t prefixLength = std::strlen(pathPrefix);
  if (prefixLength >= sizeof state.mipPathPrefix || prefixLength + 2 + 4 >= kLevelPathCapacity) return 0;

  state.mipWidth = width;
  state.mipHeight = height;
  state.mipFormat = format;
  std::memcpy(state.mipPathPrefix, pathPrefix, prefixLength + 1);
  EncodeToSink(image, width, height, format, dither, planes,
               [](const uint8_t* bytes, int32_t level, int32_t byteCount) { MipFileSink(bytes, level, byteCount); });
  return state.lastLevel;
}
