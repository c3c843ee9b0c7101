#include "support/image_fixtures.h"

#include <fstream>

#include "codec/engine/compress_image.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn::test {

namespace {

class VectorSink final : public ByteSink {
 public:
  void Write(const void* data, size_t byteCount) override {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + byteCount);
  }
  std::vector<uint8_t> out;
};

EncodeSettings SettingsOf(int32_t format, bool dither) { return SettingsForFormat(format, dither); }

}  // namespace

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteTga(const std::string& path, int32_t width, int32_t height, int32_t planes,
              const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> file(18, 0);
  file[2] = 2;  // uncompressed true colour
  StoreLE16(&file[12], static_cast<uint32_t>(width));
  StoreLE16(&file[14], static_cast<uint32_t>(height));
  file[16] = static_cast<uint8_t>(planes * 8);
  file[17] = static_cast<uint8_t>(0x20 | (planes == 4 ? 8 : 0));  // top row first, alpha bits
  file.insert(file.end(), pixels.begin(), pixels.end());
  WriteBytes(path, file);
}

void WriteBmp24(const std::string& path, int32_t width, int32_t height, const std::vector<uint8_t>& pixels) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  std::vector<uint8_t> file(54, 0);
  file[0] = 'B';
  file[1] = 'M';
  StoreLE32(&file[2], 54 + rowBytes * static_cast<uint32_t>(height));
  StoreLE32(&file[10], 54);
  StoreLE32(&file[14], 40);
  StoreLE32(&file[18], static_cast<uint32_t>(width));
  StoreLE32(&file[22], static_cast<uint32_t>(height));
  StoreLE16(&file[26], 1);
  StoreLE16(&file[28], 24);
  StoreLE32(&file[34], rowBytes * static_cast<uint32_t>(height));
  for (int32_t y = height - 1; y >= 0; --y) {
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width * 3;
    file.insert(file.end(), row, row + width * 3);
    file.resize(file.size() + (rowBytes - static_cast<uint32_t>(width) * 3), 0);
  }
  WriteBytes(path, file);
}

std::vector<uint8_t> FlippedRows(const std::vector<uint8_t>& pixels, int32_t width, int32_t height, int32_t planes) {
  std::vector<uint8_t> flipped;
  const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(planes);
  for (int32_t y = height - 1; y >= 0; --y) {
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
    flipped.insert(flipped.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }
  return flipped;
}

std::vector<uint8_t> EngineDds(const std::vector<uint8_t>& pixels, int32_t width, int32_t height, int32_t planes,
                               int32_t format, bool dither) {
  VectorSink sink;
  CompressImage(pixels.data(), width, height, width * planes, SettingsOf(format, dither), planes, LevelCallback{},
                &sink);
  return sink.out;
}

std::vector<std::vector<uint8_t>> EngineLevels(const std::vector<uint8_t>& pixels, int32_t width, int32_t height,
                                               int32_t planes, int32_t format, bool dither) {
  std::vector<std::vector<uint8_t>> levels;
  CompressImage(pixels.data(), width, height, width * planes, SettingsOf(format, dither), planes,
                [&levels](const uint8_t* bytes, int32_t, int32_t count) { levels.emplace_back(bytes, bytes + count); },
                nullptr);
  return levels;
}

}  // namespace quarn::test
