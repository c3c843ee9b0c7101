// The stored length of a BMP pixel row: its bytes padded to a multiple of 4.
#ifndef QUARN_CODEC_API_BMP_ROWS_H
#define QUARN_CODEC_API_BMP_ROWS_H

#include <cstddef>

namespace quarn {

constexpr size_t BmpPaddedRowLength(size_t bytes) { return (bytes + 3) / 4 * 4; }

}  // namespace quarn

#endif
