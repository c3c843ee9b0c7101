// Reading and writing little-endian fields of the file formats, whatever the
// byte order of the machine.
#ifndef QUARN_CODEC_ENGINE_LITTLE_ENDIAN_H
#define QUARN_CODEC_ENGINE_LITTLE_ENDIAN_H

#include <cstdint>

namespace quarn {

inline void StoreLE16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
inline void StoreLE32(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value >> 16);
  at[3] = static_cast<uint8_t>(value >> 24);
}
inline uint32_t LoadLE16(const uint8_t* at) { return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8); }
inline uint32_t LoadLE32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) | (static_cast<uint32_t>(at[2]) << 16) |
         (static_cast<uint32_t>(at[3]) << 24);
}

// A four-character code as the little-endian 32-bit value stored in a file.
constexpr uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

}  // namespace quarn

#endif
