// The four block-format entries that the compression driver calls per level.
#ifndef QUARN_CODEC_ENCODE_BLOCK_ENCODER_H
#define QUARN_CODEC_ENCODE_BLOCK_ENCODER_H

#include <cstdint>
#include <vector>

#include "codec/mip/rgba_image.h"

namespace quarn {

// Each returns the level's blocks (8 or 16 bytes per 4x4 block, whole blocks
// across and down), rows of blocks from the top. Re-entrant.
std::vector<uint8_t> EncodeDXT1(const RgbaImage& image);
std::vector<uint8_t> EncodeDXT1a(const RgbaImage& image);
std::vector<uint8_t> EncodeDXT3(const RgbaImage& image);
std::vector<uint8_t> EncodeDXT5(const RgbaImage& image);

}  // namespace quarn

#endif
