// Byte-wise little-endian loads and stores: stored files and decoded pixels
// are little-endian whatever the host, and need no alignment.
#ifndef QUARN_CODEC_DECODE_LITTLE_ENDIAN_H
#define QUARN_CODEC_DECODE_LITTLE_ENDIAN_H

#include <cstdint>

namespace quarn {

inline uint16_t LoadLe16(const uint8_t* bytes) { return uint16_t(bytes[0] | bytes[1] << 8); }

inline uint32_t LoadLe32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

inline void StoreLe32(uint8_t* bytes, uint32_t value) {
  bytes[0] = uint8_t(value);
  bytes[1] = uint8_t(value >> 8);
  bytes[2] = uint8_t(value >> 16);
  bytes[3] = uint8_t(value >> 24);
}

}  // namespace quarn

#endif
