#include "codec/encode/block_surface.h"

#include <cstddef>

#include "codec/encode/block_packing.h"
#include "codec/engine/little_endian.h"

namespace quarn {

namespace {

// One channel of the texel word: its mask, the mask's trailing zero count,
// and the largest value the channel can hold.
struct Channel {
  uint32_t mask = 0;
  uint32_t shift = 0;
  uint32_t largest = 0;
};

Channel ChannelOf(uint32_t mask) {
  Channel channel;
  channel.mask = mask;
  if (mask == 0) return channel;
  while (((mask >> channel.shift) & 1u) == 0) ++channel.shift;
  channel.largest = mask >> channel.shift;
  return channel;
}

uint32_t ValueOf(uint32_t word, const Channel& channel) { return (word & channel.mask) >> channel.shift; }

// Reads the texel word little-endian, at most 4 bytes of it.
uint32_t ReadTexel(const uint8_t* p, uint32_t bytesPerTexel) {
  if (bytesPerTexel >= 4) {
    // The common case as one fixed-length read, which compiles to one load.
    return LoadLE32(p);
  }
  uint32_t word = 0;
  for (uint32_t i = 0; i < bytesPerTexel; ++i) word |= static_cast<uint32_t>(p[i]) << (8 * i);
  return word;
}

// Each value of a channel of at most 8 bits divided by the channel's largest
// value, worked out once per surface instead of once per texel (the same
// division, so the same bits).
class ChannelScale {
 public:
  explicit ChannelScale(const Channel& channel) : largest_(static_cast<double>(channel.largest)) {
    tabulated_ = channel.largest < 256;
    // A channel the surface lacks (mask 0) reads as 0.
    if (!tabulated_ || channel.largest == 0) return;
    for (uint32_t v = 0; v <= channel.largest; ++v) table_[v] = static_cast<double>(v) / largest_;
  }
  double operator()(uint32_t value) const {
    return tabulated_ ? table_[value] : static_cast<double>(value) / largest_;
  }

 private:
  double largest_;
  bool tabulated_ = false;
  double table_[256] = {};
};

}  // namespace

void EncodeBlockSurfaceWith(const SurfaceDesc& desc, uint8_t* out, uint32_t blockFlags, const float weights[3],
                            const BlockFitters& fitters) {
  const int64_t width = desc.width;
  const int64_t height = desc.height;
  const uint32_t bytesPerTexel = (desc.bitCount + 7) / 8;
  const Channel red = ChannelOf(desc.redMask);
  const Channel green = ChannelOf(desc.greenMask);
  const Channel blue = ChannelOf(desc.blueMask);
  const Channel alpha = ChannelOf(desc.alphaMask);
  const bool hasAlpha = alpha.mask != 0;
  // Texels whose masked alpha word is at most this level are cut (alpha 128
  // of 255 and below for an 8-bit channel).
  const uint32_t cutLevel = static_cast<uint32_t>(((static_cast<uint64_t>(alpha.largest) * 128u) / 255u) << alpha.shift);
  const bool alphaCut = (blockFlags & 0xFFu) == ColourAlphaCut;
  const bool cutTexels = alphaCut && hasAlpha;
  const uint32_t alphaKind = blockFlags & 0xFF00u;
  const ChannelScale redScale(red);
  const ChannelScale greenScale(green);
  const ChannelScale blueScale(blue);

  ColourBlockFit colourFit;
  AlphaBlockFit alphaFit;
  SlotMap colourSlot;
  SlotMap alphaSlot;
  uint32_t words[16];
  uint32_t alphaValues[16];

  const uint8_t* base = static_cast<const uint8_t*>(desc.surface);
  for (int64_t by = 0; by < height; by += 4) {
    const int32_t clippedHeight = static_cast<int32_t>(height - by < 4 ? height - by : 4);
    for (int64_t bx = 0; bx < width; bx += 4) {
      const int32_t clippedWidth = static_cast<int32_t>(width - bx < 4 ? width - bx : 4);

      // Gather the texels inside the surface; nothing past its real width
      // or height is read.
      for (int32_t y = 0; y < clippedHeight; ++y) {
        const uint8_t* row = base + static_cast<ptrdiff_t>(by + y) * desc.pitch +
                             static_cast<ptrdiff_t>(bx) * bytesPerTexel;
        for (int32_t x = 0; x < clippedWidth; ++x) words[4 * y + x] = ReadTexel(row + x * bytesPerTexel, bytesPerTexel);
      }

      for (int32_t c = 0; c < 3; ++c) colourFit.weight[c] = static_cast<double>(weights[c]);
      int32_t n = 0;
      int32_t inside = 0;
      for (int32_t k = 0; k < 16; ++k) {
        const int32_t x = k & 3;
        const int32_t y = k >> 2;
        if (x >= clippedWidth || y >= clippedHeight) {
          colourSlot[k] = -1;
          alphaSlot[k] = -1;
          alphaValues[k] = 0;
          continue;
        }
        const uint32_t word = words[k];
        // A surface without an alpha channel counts as opaque.
        alphaValues[k] = hasAlpha ? ValueOf(word, alpha) : 1;
        alphaSlot[k] = inside++;
        if (cutTexels && (word & alpha.mask) <= cutLevel) {
          colourSlot[k] = -1;
          continue;
        }
        colourSlot[k] = n;
        colourFit.texel[n][0] = redScale(ValueOf(word, red));
        colourFit.texel[n][1] = greenScale(ValueOf(word, green));
        colourFit.texel[n][2] = blueScale(ValueOf(word, blue));
        ++n;
      }
      const uint32_t alphaLargest = hasAlpha ? alpha.largest : 1;

      if (alphaKind == AlphaExplicit) {
        PackExplicitAlpha(alphaValues, alphaLargest, clippedWidth, clippedHeight, out);
        out += 8;
      } else if (alphaKind == AlphaInterpolated) {
        alphaFit.count = 0;
        for (int32_t k = 0; k < 16; ++k) {
          if (alphaSlot[k] < 0) continue;
          alphaFit.alpha[alphaFit.count++] =
              alphaValues[k] == alphaLargest ? 1.0f
                                             : static_cast<float>(alphaValues[k]) / static_cast<float>(alphaLargest);
        }
        fitters.alpha(alphaFit);
        PackInterpolatedAlpha(alphaFit, alphaSlot, out);
        out += 8;
      }

      colourFit.count = n;
      colourFit.colours = n >= clippedWidth * clippedHeight ? 4 : 3;
      colourFit.alphaBlock = alphaKind != 0;
      if (n == 0) {
        for (auto& end : colourFit.end) end[0] = end[1] = end[2] = 0;
        colourFit.mode = 3;
      } else {
        fitters.colour(colourFit);
      }
      PackColourBlock(colourFit, alphaCut, colourSlot, out);
      out += 8;
    }
  }
}

}  // namespace quarn
