// libFuzzer target: DecodeSurface on one level. Input: a format selector
// byte, width - 1, height - 1, then the stored bytes (zero-padded to the
// level's size, as the reader does for a short file). The output buffer is
// exactly width x height x 4 bytes, so AddressSanitizer catches any write
// past the clipped edge blocks.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "codec/decode/decode_surface.h"
#include "codec/decode/source_format.h"

using namespace quarn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const uint32_t kFormats[] = {SourceR8G8B8,   SourceA8R8G8B8, SourceR5G6B5, SourceX1R5G5B5,
                                      SourceA1R5G5B5, SourceA4R4G4B4, SourceDXT1,   SourceDXT2,
                                      SourceDXT3,     SourceDXT4,     SourceDXT5};
  if (size < 3) return 0;
  const uint32_t format = kFormats[data[0] % (sizeof kFormats / sizeof kFormats[0])];
  const uint32_t width = uint32_t(data[1]) + 1, height = uint32_t(data[2]) + 1;
  data += 3;
  size -= 3;

  std::vector<uint8_t> stored(size_t(SourceLevelBytes(format, width, height)), 0);
  std::memcpy(stored.data(), data, size < stored.size() ? size : stored.size());
  std::vector<uint8_t> pixels(size_t{width} * height * 4, 0);
  SurfaceDesc source;
  source.width = width;
  source.height = height;
  source.surface = stored.data();
  SurfaceDesc output;
  DecodeSurface(source, output, pixels.data(), format);

  if (output.width != width || output.height != height || output.pitch != int32_t(width * 4) ||
      output.surface != pixels.data())
    std::abort();
  // Alphas the formats can produce: DXT1 0 or 255, and 0 only with black;
  // explicit alpha multiples of 17; r5g6b5 and r8g8b8 opaque.
  for (size_t i = 0; i < pixels.size(); i += 4) {
    const uint8_t alpha = pixels[i + 3];
    const bool black = pixels[i] == 0 && pixels[i + 1] == 0 && pixels[i + 2] == 0;
    if (format == SourceDXT1 && !(alpha == 255 || (alpha == 0 && black))) std::abort();
    if (HasExplicitAlpha(format) && alpha % 17 != 0) std::abort();
    if ((format == SourceR5G6B5 || format == SourceR8G8B8) && alpha != 255) std::abort();
  }
  return 0;
}
