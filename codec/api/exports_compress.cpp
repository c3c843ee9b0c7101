// DXTcompress and DXTcompressBMP: the image and its mip chain into a DDS
// file, to the host's callback, or into an FS70 BMP texture.
#include <cstdio>

#include "codec/api/export_state.h"
#include "codec/api/fs_texture_header.h"
#include "quarn/quarn.h"

extern "C" QUARN_API int32_t QUARN_CALL DXTcompress(const uint8_t* image, int32_t width, int32_t height,
                                                    int32_t format, uint8_t /*spare*/, uint8_t dither,
                                                    int32_t planes, QuarnWriteCallback callback,
                                                    const char* outputPath) {
  using namespace quarn;
  ExportState& state = GetExportState();
  if (outputPath == nullptr) return 0;
  state.outputFile = std::fopen(outputPath, "wb");
  if (!state.outputFile) return 0;
  try {
    LevelCallback sink;
    if (callback) {
      sink = [callback](const uint8_t* bytes, int32_t level, int32_t byteCount) {
        callback(bytes, level, byteCount);
      };
    }
    EncodeToSink(image, width, height, format, dither, planes, sink);
  } catch (...) {
    // Whatever the engine or the host's callback threw: close the file and
    // report like any other run.
  }
  CloseOutputFile();
  return 0;
}

extern "C" QUARN_API int32_t QUARN_CALL DXTcompressBMP(const uint8_t* image, int32_t width, int32_t height,
                                                       int32_t format, uint8_t mipmap, uint8_t dither,
                                                       int32_t planes, const char* outputPath) {
  using namespace quarn;
  ExportState& state = GetExportState();
  if (outputPath == nullptr) return 0;
  state.outputFile = std::fopen(outputPath, "wb");
  if (!state.outputFile) return 0;
  WriteFsHeader(format, width, height, mipmap != 0, state.outputFile);
  EncodeToSink(image, width, height, format, dither, planes,
               [](const uint8_t* bytes, int32_t level, int32_t byteCount) { BmpTextureSink(bytes, level, byteCount); });
  CloseOutputFile();
  return state.lastLevel;
}
