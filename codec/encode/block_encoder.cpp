#include "codec/encode/block_encoder.h"

#include "codec/decode/alpha_block_fit.h"
#include "codec/encode/block_surface.h"
#include "codec/encode/colour_block_fit.h"
#include "codec/encode/surface_desc.h"

namespace quarn {

namespace {

std::vector<uint8_t> EncodeLevel(const RgbaImage& image, uint32_t blockFlags, uint32_t alphaMask) {
  SurfaceDesc desc;
  desc.width = static_cast<uint32_t>(image.width);
  desc.height = static_cast<uint32_t>(image.height);
  desc.pitch = image.width * 4;
  desc.surface = const_cast<uint32_t*>(image.pixels());
  desc.bitCount = 32;
  desc.redMask = 0x00FF0000u;
  desc.greenMask = 0x0000FF00u;
  desc.blueMask = 0x000000FFu;
  desc.alphaMask = alphaMask;
  std::vector<uint8_t> out(BlockSurfaceSize(desc, blockFlags), 0);
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
