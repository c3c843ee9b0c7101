// The process-wide state of the exported functions, and the byte streams over
// its open files.
#ifndef QUARN_CODEC_API_EXPORT_STATE_H
#define QUARN_CODEC_API_EXPORT_STATE_H

#include <cstdint>
#include <cstdio>

#include "codec/engine/encode_settings.h"

namespace quarn {

// One record for the whole process, zero at load time. Only the exports
// touch it; everything below them works on per-call state.
struct ExportState {
  std::FILE* outputFile = nullptr;  // file written by DXTcompress / DXTcompressBMP / DXTcompressACE
  std::FILE* inputFile = nullptr;   // DDS file read by Read_DDS
  uint8_t sniffHeader[128] = {};    // first 128 bytes of that DDS file
  int32_t lastLevel = 0;            // level stored by the latest sink call; kept across calls
  int32_t mipFormat = 0;            // format of the current DXTcreateMIPS run
  int32_t mipWidth = 0;             // size declared by the next level file
  int32_t mipHeight = 0;
  char mipPathPrefix[256] = {};     // prefix of the level files
  int32_t aceState = 0;             // AceLevelSink: 1 writing, 0 after the 8-byte level, -1 finished
};

ExportState& GetExportState();

// Appends to a C file; a null file swallows the bytes.
class FileByteSink final : public ByteSink {
 public:
  explicit FileByteSink(std::FILE* file) : file_(file) {}
  void Write(const void* data, size_t byteCount) override {
    if (file_ && byteCount) std::fwrite(data, 1, byteCount, file_);
  }

 private:
  std::FILE* file_;
};

// Reads from a C file; a null file reads nothing.
class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(std::FILE* file) : file_(file) {}
  size_t Read(void* buffer, size_t byteCount) override {
    return (file_ && byteCount) ? std::fread(buffer, 1, byteCount, file_) : 0;
  }

 private:
  std::FILE* file_;
};

// Closes and clears ExportState's output file, if one is open.
void CloseOutputFile();

// Runs the engine on an image handed to an export: rows width x planes
// bytes apart, settings from the format and dither flag. Without a sink the
// DDS output goes to ExportState's output file. Returns CompressImage's status.
int32_t EncodeToSink(const uint8_t* image, int32_t width, int32_t height, int32_t format, uint8_t dither,
                     int32_t planes, const LevelCallback& sink);

// The sinks that the exports hand to the engine. Each returns 0 after it
// handled the level and 1 when it found no file to write.
int32_t BmpTextureSink(const uint8_t* bytes, int32_t level, int32_t byteCount);
int32_t MipFileSink(const uint8_t* bytes, int32_t level, int32_t byteCount);
// Writes each level with a length word until the first 8-byte level has
// been written, swallows the next one, then ignores the rest (aceState).
int32_t AceLevelSink(const uint8_t* bytes, int32_t level, int32_t byteCount);

}  // namespace quarn

#endif
