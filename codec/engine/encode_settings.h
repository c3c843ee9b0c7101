// The records that the compression engine works on: the caller's choices,
// the description of the source image, the per-call context, and the two
// kinds of output (a level callback, or a DDS byte stream).
#ifndef QUARN_CODEC_ENGINE_ENCODE_SETTINGS_H
#define QUARN_CODEC_ENGINE_ENCODE_SETTINGS_H

#include <cstddef>
#include <cstdint>
#include <functional>

namespace quarn {

struct EncodeSettings {
  uint8_t oneBitAlpha = 0;  // alpha forced to 0 / 255 on the base level and in-place reductions
  uint8_t dither = 0;       // ordered dither of the base level to the target precision
  int16_t format = 0;       // TextureFormat code
};

// The settings for a format code as every caller builds them: one-bit alpha
// exactly for the two formats that store one alpha bit (DXT1 with one-bit
// alpha, 1555). A code that does not survive the 16-bit field becomes 0,
// which the engine refuses, rather than aliasing some other format.
inline EncodeSettings SettingsForFormat(int32_t format, bool dither) {
  EncodeSettings settings;
  settings.oneBitAlpha = (format == 11 || format == 15) ? 1 : 0;
  settings.dither = dither ? 1 : 0;
  settings.format = static_cast<int16_t>(format);
  if (settings.format != format) settings.format = 0;
  return settings;
}

struct SurfaceInfo {
  int16_t imageMode = 0;
  int16_t height = 0;
  int16_t width = 0;
  int16_t channelDepth = 0;
  int16_t planes = 0;  // bytes per source pixel, 3 or 4
  const uint8_t* pixels = nullptr;
  int32_t rowBytes = 0;
};

// Where bytes go: the open output file of an export, a file of the command
// line tool, or memory in a test.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const void* data, size_t byteCount) = 0;
};

// Where bytes come from when a DDS file is read back.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `byteCount` bytes into `buffer`; returns how many were read.
  // A short read leaves the rest of the buffer as it was.
  virtual size_t Read(void* buffer, size_t byteCount) = 0;
};

// Receives each encoded level: its bytes (valid only during the call), its
// number (0 for the image itself) and its byte count.
using LevelCallback = std::function<void(const uint8_t* bytes, int32_t level, int32_t byteCount)>;

struct EncodeContext {
  SurfaceInfo surface;
  EncodeSettings settings;
  ByteSink* output = nullptr;  // DDS output when no callback is given; may be null
};

// Appends bytes to the context's output; does nothing without one.
inline void WriteOutput(EncodeContext& context, size_t byteCount, const void* bytes) {
  if (context.output) context.output->Write(bytes, byteCount);
}

}  // namespace quarn

#endif
