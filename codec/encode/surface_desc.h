// The description of a surface in memory, shared by the block encoder and the
// decoder: the DDS header's fields with a row pitch and a pointer to the
// first texel.
#ifndef QUARN_CODEC_ENCODE_SURFACE_DESC_H
#define QUARN_CODEC_ENCODE_SURFACE_DESC_H

#include <cstdint>

namespace quarn {

struct SurfaceDesc {
  uint32_t flags = 0;
  uint32_t height = 0;
  uint32_t width = 0;
  int32_t pitch = 0;  // bytes from one row to the next
  uint32_t depth = 0;
  uint32_t mipCount = 0;
  uint32_t pfFlags = 0;
  uint32_t fourCC = 0;
  uint32_t bitCount = 0;
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
  uint32_t alphaMask = 0;
  uint32_t caps = 0;
  uint32_t caps2 = 0;
  void* surface = nullptr;  // first texel
};

// Selects the block kind: bits 0-7 the colour mode, bits 8-15 the alpha block.
enum BlockFlags : uint32_t {
  ColourOpaque = 0,
  ColourAlphaCut = 2,
  AlphaExplicit = 0x100,
  AlphaInterpolated = 0x200,
};

// Byte size of a block surface: 16 bytes per block when the flags ask for an
// alpha block, else 8, times whole blocks across and down.
constexpr uint32_t BlockSurfaceSize(uint32_t width, uint32_t height, uint32_t blockFlags) {
  return ((blockFlags & 0xFF00u) != 0 ? 16u : 8u) * ((width + 3) / 4) * ((height + 3) / 4);
}
inline uint32_t BlockSurfaceSize(const SurfaceDesc& desc, uint32_t blockFlags) {
  return BlockSurfaceSize(desc.width, desc.height, blockFlags);
}

}  // namespace quarn

#endif
