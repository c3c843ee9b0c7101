// One level of the alpha merge: DXT1 blocks from a 24-bit colour BMP and an
// 8-bit alpha BMP of the level's size, and the file steps around it.
#ifndef QUARN_CODEC_API_ALPHA_MERGE_LEVEL_H
#define QUARN_CODEC_API_ALPHA_MERGE_LEVEL_H

#include <cstdint>

namespace quarn {

// Where the level encoder finds the pixel rows: after the 54-byte header of
// a 24-bit BMP, and after the header and 256-entry palette of an 8-bit one.
constexpr long kMergeColourRowsOffset = 54;
constexpr long kMergeAlphaRowsOffset = 1078;

// Writes the level's blocks to `blockPath`, block rows in the files' stored
// row order. Returns false (the block file then holds no usable level) when
// a file cannot be opened, a source holds fewer rows than the level needs,
// or the blocks cannot be written.
bool EncodeMergeLevel(const char* colourPath, const char* alphaPath, const char* blockPath, int32_t width,
                      int32_t height);

// Appends the whole of `source` to `destination`. Returns false when either
// cannot be opened or the copy is incomplete.
bool AppendFile(const char* destination, const char* source);

}  // namespace quarn

#endif
