// A small DXT1 block decoder for checking written textures.
#ifndef QUARN_TESTS_SUPPORT_DXT1_BLOCK_DECODE_H
#define QUARN_TESTS_SUPPORT_DXT1_BLOCK_DECODE_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace quarn {

struct DecodedTexel {
  uint8_t blue = 0, green = 0, red = 0;
  bool transparent = false;
};

// The 16 texels of an 8-byte DXT1 block, row by row: four colours when
// colour 0 is above colour 1, otherwise three and transparent.
std::array<DecodedTexel, 16> DecodeDxt1Block(const uint8_t* block);

// The 8-bit channels that a 565 value stands for (bit replication).
DecodedTexel Expand565(uint32_t packed);

}  // namespace quarn

#endif
