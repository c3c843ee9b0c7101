// The header of an FS70 BMP texture: a BMP header that announces a GPU
// format, followed by an extension block tagged "FS70".
#ifndef QUARN_CODEC_API_FS_TEXTURE_HEADER_H
#define QUARN_CODEC_API_FS_TEXTURE_HEADER_H

#include <cstdint>
#include <cstdio>
#include <vector>

namespace quarn {

// What the header declares for one image.
struct FsTextureLayout {
  uint32_t headerLength = 0;  // 74 or 86; 0 for formats that have no header
  uint32_t dataSize = 0;      // first level plus the levels the size rule counts
  uint32_t extraLevels = 0;   // levels after the first that the size rule counts
};

// The size rule: the first level's size and, with `mipmap`, each halved
// level (sides halved by truncation) until a side meets the format's stop
// condition.
FsTextureLayout FsTextureLayoutOf(int32_t format, int32_t width, int32_t height, bool mipmap);

// The header bytes for `format` (empty for 13, 18, 19 and unknown codes).
std::vector<uint8_t> BuildFsHeader(int32_t format, int32_t width, int32_t height, bool mipmap);

// Writes the header at the file's current position. Returns 0, or 1 when
// there is no file (then nothing is written).
int32_t WriteFsHeader(int32_t format, int32_t width, int32_t height, bool mipmap, std::FILE* file);

}  // namespace quarn

#endif
