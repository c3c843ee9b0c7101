// TGAcompressBMP and BMPScompressBMP: image files converted straight into
// FS70 BMP textures.
#include "codec/api/source_readers.h"
#include "quarn/quarn.h"

extern "C" QUARN_API int32_t QUARN_CALL TGAcompressBMP(const char* tgaPath, int32_t format, uint8_t mipmap,
                                                       uint8_t dither, const char* outputPath) {
  quarn::SourceImage image;
  if (!quarn::ReadTgaSource(tgaPath, image)) return 0;
  return DXTcompressBMP(image.pixels.data(), image.width, image.height, format, mipmap, dither, image.planes,
                        outputPath);
}

extern "C" QUARN_API int32_t QUARN_CALL BMPScompressBMP(const char* colourPath, const char* alphaPath,
                                                        int32_t format, uint8_t mipmap, uint8_t dither,
                                                        const char* outputPath) {
  quarn::SourceImage image;
  if (!quarn::ReadBmpPairSource(colourPath, alphaPath, image)) return 0;
  return DXTcompressBMP(image.pixels.data(), image.width, image.height, format, mipmap, dither, image.planes,
                        outputPath);
}
