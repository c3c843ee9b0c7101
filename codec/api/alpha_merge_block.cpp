#include "codec/api/alpha_merge_block.h"

#include "codec/engine/little_endian.h"

namespace quarn {

namespace {

constexpr int32_t kOpaqueAlpha = 128;  // alpha below this is transparent

int32_t Pack565(const uint8_t* bgr) { return ((bgr[2] >> 3) << 11) | ((bgr[1] >> 2) << 5) | (bgr[0] >> 3); }

}  // namespace

void EncodeMergeBlock(const uint8_t* const colour[4], const uint8_t* const alpha[4],
                      uint8_t block[kMergeBlockBytes]) {
  int32_t packed[16];
  bool transparent = false;
  for (int32_t r = 0; r < 4; ++r) {
    for (int32_t i = 0; i < 4; ++i) {
      packed[r * 4 + i] = Pack565(colour[r] + 3 * i);
      if (alpha[r][i] < kOpaqueAlpha) transparent = true;
    }
  }
  int32_t lo = packed[0];
  int32_t hi = packed[0];
  for (int32_t value : packed) {
    if (value < lo) lo = value;
    if (value > hi) hi = value;
  }
  const int32_t range = hi - lo;

  for (int32_t r = 0; r < 4; ++r) {
    uint8_t indices = 0;
    for (int32_t i = 0; i < 4; ++i) {
      const int32_t d = packed[r * 4 + i] - lo;
      int32_t code;
      if (transparent) {
        // Three-colour mode: 0 lo, 2 midpoint, 1 hi, 3 transparent.
        if (alpha[r][i] < kOpaqueAlpha) {
          code = 3;
        } else {
          code = 0;
          if (d > range / 3) code = 2;
          if (d > 2 * range / 3) code = 1;
        }
      } else {
        // Four-colour mode: 1 lo, 3 and 2 between, 0 hi.
        code = 1;
        if (d > range / 4) code = 3;
        if (d > range / 2) code = 2;
        if (d > 3 * range / 4) code = 0;
        if (lo == hi) code = 0;
      }
      indices = static_cast<uint8_t>(indices | (code << (2 * i)));
    }
    block[4 + r] = indices;
  }
  StoreLE16(block, static_cast<uint32_t>(transparent ? lo : hi));
  StoreLE16(block + 2, static_cast<uint32_t>(transparent ? hi : lo));
}

}  // namespace quarn
