// DXTcompressACE: a DXT1 texture with its mip chain in an ACE texture file,
// and the sink that writes the levels down to the first 8-byte one.
#include <cstdio>

#include "codec/api/ace_texture_header.h"
#include "codec/api/export_state.h"
#include "codec/engine/little_endian.h"
#include "quarn/quarn.h"

namespace quarn {

int32_t AceLevelSink(const uint8_t* bytes, int32_t level, int32_t byteCount) {
  ExportState& state = GetExportState();
  if (state.aceState < 0) return 0;
  if (!state.outputFile) return 1;
  if (state.aceState != 0) {
    uint8_t length[4];
    StoreLE32(length, static_cast<uint32_t>(byteCount));
    std::fwrite(length, 1, sizeof length, state.outputFile);
    if (byteCount > 0) std::fwrite(bytes, 1, static_cast<size_t>(byteCount), state.outputFile);
    // The first 8-byte level is DXT1's 4 x 4: the filler replaces the rest.
    if (byteCount == 8) state.aceState = 0;
  } else {
    state.aceState = -1;
  }
  state.lastLevel = level;
  return 0;
}

}  // namespace quarn

extern "C" QUARN_API int32_t QUARN_CALL DXTcompressACE(const uint8_t* image, int32_t width, int32_t height,
                                                       int32_t format, uint8_t /*spare*/, uint8_t dither,
                                                       int32_t planes, const char* outputPath) {
  using namespace quarn;
  // The filler repeats the first pixel, so there must be one before any file
  // is created.
  if (image == nullptr || outputPath == nullptr) return 0;
  const uint8_t firstPixel[3] = {image[0], image[1], image[2]};

  ExportState& state = GetExportState();
  state.outputFile = std::fopen(outputPath, "wb");
  if (!state.outputFile) return 0;
  state.aceState = 1;

  const int32_t channels = AceChannelCount(format);
  const auto header = BuildAceHeader(width, height, channels);
  std::fwrite(header.data(), 1, header.size(), state.outputFile);
  const std::vector<uint8_t> table = BuildAceLevelTable(width, channels);
  if (!table.empty()) std::fwrite(table.data(), 1, table.size(), state.outputFile);

  EncodeToSink(image, width, height, format, dither, planes,
               [](const uint8_t* bytes, int32_t level, int32_t byteCount) { AceLevelSink(bytes, level, byteCount); });

  const std::vector<uint8_t> filler = BuildAceFiller(firstPixel, channels);
  std::fwrite(filler.data(), 1, filler.size(), state.outputFile);
  CloseOutputFile();
  return state.lastLevel;
}
