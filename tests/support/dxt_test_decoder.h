// A small DXT decoder for the encoder's tests and benchmark, written from the
// published block layouts: it turns encoded levels back into pixels so their
// quality can be measured. It clips edge blocks to the level.
#ifndef QUARN_TESTS_SUPPORT_DXT_TEST_DECODER_H
#define QUARN_TESTS_SUPPORT_DXT_TEST_DECODER_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarn::test {

enum class DxtKind { DXT1, DXT3, DXT5 };

// Bytes per block of the kind: 8 or 16.
int32_t DxtBlockBytes(DxtKind kind);

// Decodes `width` x `height` texels into pixels 0xAARRGGBB, row-major.
// DXT1 three-colour blocks give transparent black for index 3.
std::vector<uint32_t> DecodeDxt(DxtKind kind, const uint8_t* blocks, int32_t width, int32_t height);

}  // namespace quarn::test

#endif
