// The small DXT1 block encoder of the alpha merge: end points are the
// smallest and largest packed 565 values of the block, and codes follow from
// each pixel's distance above the smallest.
#ifndef QUARN_CODEC_API_ALPHA_MERGE_BLOCK_H
#define QUARN_CODEC_API_ALPHA_MERGE_BLOCK_H

#include <cstdint>

namespace quarn {

constexpr int32_t kMergeBlockBytes = 8;

// `colour[r]` points at the block's first pixel in colour row r (blue,
// green, red per pixel), `alpha[r]` at its first alpha byte in alpha row r.
// A block with any alpha below 128 is written in three-colour mode with code
// 3 for those pixels; other blocks in four-colour mode. Output: colour 0 and
// colour 1 (little-endian 565), then one index byte per row, leftmost pixel
// in bits 0 and 1.
void EncodeMergeBlock(const uint8_t* const colour[4], const uint8_t* const alpha[4],
                      uint8_t block[kMergeBlockBytes]);

}  // namespace quarn

#endif
