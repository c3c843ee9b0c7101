#include "codec/decode/decode_surface.h"

#include "codec/decode/source_format.h"

namespace quarn {

void DecodeSurface(const SurfaceDesc& source, SurfaceDesc& output, uint8_t* pixels, uint32_t formatCode) {
  output = SurfaceDesc{};
  output.width = source.width;
  output.height = source.height;
  output.pitch = int32_t(source.width * 4);
  output.surface = pixels;
  output.bitCount = 32;
  output.redMask = 0x00FF0000;
  output.greenMask = 0x0000FF00;
  output.blueMask = 0x000000FF;
  output.alphaMask = 0xFF000000;

  const auto* stored = static_cast<const uint8_t*>(source.surface);
  if (IsBlockSource(formatCode)) {
    DecodeBlockSurface(stored, source.width, source.height, pixels, formatCode);
  } else if (SourcePixelBytes(formatCode) != 0) {
    DecodePixelSurface(stored, source.width, source.height, pixels, formatCode);
  }
}

}  // namespace quarn
