#include "codec/api/export_state.h"

#include "codec/engine/compress_image.h"
#include "codec/engine/texture_format.h"

namespace quarn {

ExportState& GetExportState() {
  static ExportState state;
  return state;
}

void CloseOutputFile() {
  ExportState& state = GetExportState();
  if (state.outputFile) {
    std::fclose(state.outputFile);
    state.outputFile = nullptr;
  }
}

int32_t EncodeToSink(const uint8_t* image, int32_t width, int32_t height, int32_t format, uint8_t dither,
                     int32_t planes, const LevelCallback& sink) {
  EncodeSettings settings = SettingsForFormat(format, false);
  settings.dither = dither;  // the caller's byte, unchanged

  // The row distance of an image that the engine will refuse anyway (sides
  // out of range) is not computed, so that it cannot overflow.
  const int64_t rowBytes = int64_t{width} * planes;
  const int32_t rowDistance = (rowBytes >= 0 && rowBytes <= INT32_MAX) ? static_cast<int32_t>(rowBytes) : 0;
  FileByteSink output(GetExportState().outputFile);
  try {
    return CompressImage(image, width, height, rowDistance, settings, planes, sink, &output);
  } catch (...) {
    // Nothing may unwind through the C exports into the host.
    return CompressFailed;
  }
}

int32_t BmpTextureSink(const uint8_t* bytes, int32_t level, int32_t byteCount) {
  ExportState& state = GetExportState();
  if (!state.outputFile) return 1;
  if (byteCount > 0) std::fwrite(bytes, 1, static_cast<size_t>(byteCount), state.outputFile);
  state.lastLevel = level;
  return 0;
}

}  // namespace quarn
