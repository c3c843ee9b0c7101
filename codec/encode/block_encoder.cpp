#include "codec/encode/block_encoder.h"

#include <new>

#include "codec/decode/alpha_block_fit.h"
#include "codec/encode/block_surface.h"
#include "codec/encode/colour_block_fit.h"
#include "codec/encode/level_surface.h"
#include "codec/encode/surface_desc.h"
#include "codec/mip/out_of_memory.h"

namespace quarn {

namespace {

std::vector<uint8_t> EncodeLevel(const RgbaImage& image, uint32_t blockFlags, uint32_t alphaMask) {
  const SurfaceDesc desc = DescribeLevel(image, alphaMask);
  std::vector<uint8_t> out;
  try {
    out.assign(BlockSurfaceSize(desc, blockFlags), 0);
  } catch (const std::bad_alloc&) {
    // The same fatal condition as a working image that cannot be made.
    ExitNotEnoughMemory();
  }
  EncodeBlockSurface(desc, out.data(), blockFlags, kColourWeights);
  return out;
}

}  // namespace

void EncodeBlockSurface(const SurfaceDesc& desc, uint8_t* out, uint32_t blockFlags, const float weights[3]) {
  BlockFitters fitters;
  fitters.colour = FitColourBlock;
  fitters.alpha = FitAlphaBlock;
  EncodeBlockSurfaceWith(desc, out, blockFlags, weights, fitters);
}

std::vector<uint8_t> EncodeDXT1(const RgbaImage& image) { return EncodeLevel(image, ColourOpaque, 0); }

std::vector<uint8_t> EncodeDXT1a(const RgbaImage& image) { return EncodeLevel(image, ColourAlphaCut, 0xFF000000u); }

std::vector<uint8_t> EncodeDXT3(const RgbaImage& image) { return EncodeLevel(image, AlphaExplicit, 0xFF000000u); }

std::vector<uint8_t> EncodeDXT5(const RgbaImage& image) {
  return EncodeLevel(image, AlphaInterpolated, 0xFF000000u);
}

}  // namespace quarn
