#include "codec/encode/block_packing.h"

#include <cmath>

namespace quarn {

namespace {

void PutLe16(uint32_t value, uint8_t* out) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Pack565(const int32_t end[3]) {
  return static_cast<uint16_t>((static_cast<uint32_t>(end[0]) << 11) | (static_cast<uint32_t>(end[1]) << 5) |
                               static_cast<uint32_t>(end[2]));
}

int32_t LimitToByte(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

// Code of an interpolated alpha ramp after its two end points were exchanged.
int32_t MirrorAlphaCode(int32_t code, int32_t levels) {
  if (code < 2) return code ^ 1;
  if (levels == 8) return 9 - code;
  return code <= 5 ? 7 - code : code;  // six levels: exact 0 and 255 stay
}

}  // namespace

void PackColourBlock(const ColourBlockFit& fit, bool alphaCut, const SlotMap& slot, uint8_t out[8]) {
  uint16_t c0 = Pack565(fit.end[0]);
  uint16_t c1 = Pack565(fit.end[1]);
  int32_t mode = fit.mode;
  // Equal end points would decode as a three-colour block; -1 means no
  // override of the fitted indices.
  int32_t forcedIndex = -1;
  if (c0 == c1) {
    if (alphaCut) {
      c1 = static_cast<uint16_t>(c1 + 1);
      forcedIndex = 0;
      mode = 3;
    } else {
      c0 = static_cast<uint16_t>(c0 + 1);
      forcedIndex = 1;
    }
  }
  // A four-colour block needs c0 > c1, a three-colour block c0 < c1.
  const bool exchange = (c1 < c0) == (mode == 3);
  if (exchange) {
    const uint16_t t = c0;
    c0 = c1;
    c1 = t;
  }
  uint32_t word = 0;
  for (int32_t k = 15; k >= 0; --k) {
    word <<= 2;
    if (slot[k] < 0) {
      word |= 3;
      continue;
    }
    uint32_t index = static_cast<uint32_t>(forcedIndex >= 0 ? forcedIndex : fit.index[slot[k]]) & 3;
    if (exchange) index = (mode == 3) ? (index < 2 ? index ^ 1 : index) : (index ^ 1);
    word |= index;
  }
  PutLe16(c0, out);
  PutLe16(c1, out + 2);
  PutLe16(word, out + 4);
  PutLe16(word >> 16, out + 6);
}

void PackExplicitAlpha(const uint32_t alpha[16], uint32_t largest, int32_t clippedWidth, int32_t clippedHeight,
                       uint8_t out[8]) {
  for (int32_t y = 0; y < 4; ++y) {
    uint32_t row = 0;
    if (y < clippedHeight) {
      for (int32_t x = 0; x < clippedWidth; ++x) {
        const double scaled = static_cast<double>(alpha[4 * y + x]) / static_cast<double>(largest) * 15.0 + 0.5;
        row |= static_cast<uint32_t>(std::floor(scaled)) << (4 * x);
      }
    }
    PutLe16(row, out + 2 * y);
  }
}

void PackInterpolatedAlpha(const AlphaBlockFit& fit, const SlotMap& slot, uint8_t out[8]) {
  int32_t end0 = fit.end0;
  int32_t end1 = fit.end1;
  int32_t levels = fit.levels;
  bool allZero = false;
  if (end0 == end1) {
    end1 += 1;
    allZero = true;
    levels = 6;
  }
  // Eight levels are selected by end0 > end1 in the stored order, six by
  // end0 <= end1.
  const bool exchange = (end0 > end1) == (levels == 6);
  if (exchange) {
    const int32_t t = end0;
    end0 = end1;
    end1 = t;
  }
  out[0] = static_cast<uint8_t>(LimitToByte(end0));
  out[1] = static_cast<uint8_t>(LimitToByte(end1));
  uint64_t bits = 0;
  for (int32_t k = 0; k < 16; ++k) {
    if (slot[k] < 0) continue;
    int32_t code = allZero ? 0 : (fit.code[slot[k]] & 7);
    if (exchange) code = MirrorAlphaCode(code, levels);
    bits |= static_cast<uint64_t>(code) << (3 * k);
  }
  for (int32_t i = 0; i < 6; ++i) out[2 + i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace quarn
