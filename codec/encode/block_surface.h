// The walk over the 4x4 blocks of a surface: gathers each block's texels,
// hands them to the colour and alpha fitters and packs the results.
#ifndef QUARN_CODEC_ENCODE_BLOCK_SURFACE_H
#define QUARN_CODEC_ENCODE_BLOCK_SURFACE_H

#include <cstdint>

#include "codec/decode/alpha_block_fit.h"
#include "codec/encode/colour_block_fit.h"
#include "codec/encode/surface_desc.h"

namespace quarn {

// The fitters that the walk calls per block.
struct BlockFitters {
  void (*colour)(ColourBlockFit& fit) = nullptr;
  void (*alpha)(AlphaBlockFit& fit) = nullptr;
};

// Encodes the surface `desc` (its width, height, pitch, bitCount, channel
// masks and surface pointer) into `out`, which must hold
// BlockSurfaceSize(desc, blockFlags) bytes. Edge blocks, including those of
// levels narrower or lower than 4 texels, use only the texels inside the
// surface. Re-entrant.
void EncodeBlockSurface(const SurfaceDesc& desc, uint8_t* out, uint32_t blockFlags, const float weights[3]);

// The same walk with the given fitters (the walk's own checks use stand-ins).
void EncodeBlockSurfaceWith(const SurfaceDesc& desc, uint8_t* out, uint32_t blockFlags, const float weights[3],
                            const BlockFitters& fitters);

}  // namespace quarn

#endif
