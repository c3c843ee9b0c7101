#include "texture_writer.h"

#include <cstdio>
#include <memory>

#include "atomic_file.h"
#include "codec/api/ace_texture_header.h"
#include "codec/api/fs_texture_header.h"
#include "codec/engine/compress_image.h"
#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn::cli {

namespace {

// Passes bytes on and counts them, for the summary line.
class CountingSink final : public ByteSink {
 public:
  CountingSink(ByteSink& target, uint64_t& count) : target_(target), count_(count) {}
  void Write(const void* data, size_t byteCount) override {
    target_.Write(data, byteCount);
    count_ += byteCount;
  }

 private:
  ByteSink& target_;
  uint64_t& count_;
};

constexpr bool IsPowerOfTwo(int32_t side) { return side > 0 && (side & (side - 1)) == 0; }

EncodeSettings SettingsFor(const TextureRequest& request) { return SettingsForFormat(request.format, request.dither); }

std::string LevelFileName(const std::string& prefix, int32_t level) {
  return prefix + std::to_string(level) + ".bmp";
}

int32_t LevelCount(int32_t width, int32_t height) {
  int32_t count = 1;
  while (width > 1 || height > 1) {
    width = NextLevelSide(width);
    height = NextLevelSide(height);
    ++count;
  }
  return count;
}

bool ReportStatus(int32_t status, std::string& error) {
  if (status == CompressDone) return true;
  error = "the codec refused the image (status " + std::to_string(status) + ")";
  return false;
}

int32_t Compress(const Picture& picture, const TextureRequest& request, const LevelCallback& callback,
                 ByteSink* output) {
  return CompressImage(picture.bgra.data(), picture.width, picture.height, static_cast<int32_t>(picture.RowBytes()),
                       SettingsFor(request), 4, callback, output);
}

bool WriteDds(const Picture& picture, const TextureRequest& request, const std::string& output,
              uint64_t& bytesWritten, std::string& error) {
  AtomicFile file;
  if (!file.Open(output, error)) return false;
  CountingSink counted(file, bytesWritten);
  if (!ReportStatus(Compress(picture, request, LevelCallback{}, &counted), error)) return false;
  return file.Commit(error);
}

bool WriteFs70(const Picture& picture, const TextureRequest& request, const std::string& output,
               uint64_t& bytesWritten, std::string& error) {
  AtomicFile file;
  if (!file.Open(output, error)) return false;
  CountingSink counted(file, bytesWritten);
  const std::vector<uint8_t> header = BuildFsHeader(request.format, picture.width, picture.height, request.mipHeader);
  counted.Write(header.data(), header.size());
  const LevelCallback appendLevel = [&counted](const uint8_t* bytes, int32_t, int32_t byteCount) {
    counted.Write(bytes, static_cast<size_t>(byteCount));
  };
  if (!ReportStatus(Compress(picture, request, appendLevel, nullptr), error)) return false;
  return file.Commit(error);
}

// One FS70 file per level; each header declares its own level's sides.
bool WriteMipFiles(const Picture& picture, const TextureRequest& request, const std::string& prefix,
                   uint64_t& bytesWritten, std::string& error) {
  std::vector<std::unique_ptr<AtomicFile>> files;
  int32_t levelWidth = picture.width;
  int32_t levelHeight = picture.height;
  bool opened = true;
  const LevelCallback writeLevel = [&](const uint8_t* bytes, int32_t level, int32_t byteCount) {
    if (!opened) return;
    auto file = std::make_unique<AtomicFile>();
    if (!file->Open(LevelFileName(prefix, level), error)) {
      opened = false;
      return;
    }
    CountingSink counted(*file, bytesWritten);
    const std::vector<uint8_t> header = BuildFsHeader(request.format, levelWidth, levelHeight, false);
    counted.Write(header.data(), header.size());
    counted.Write(bytes, static_cast<size_t>(byteCount));
    files.push_back(std::move(file));
    levelWidth = NextLevelSide(levelWidth);
    levelHeight = NextLevelSide(levelHeight);
  };
  if (!ReportStatus(Compress(picture, request, writeLevel, nullptr), error) || !opened) return false;
  for (size_t i = 0; i < files.size(); ++i) {
    if (!files[i]->Commit(error)) {
      // Take back the levels already in place: the input either gets all
      // its level files or none.
      for (size_t j = 0; j < i; ++j) std::remove(files[j]->target().c_str());
      return false;
    }
  }
  return true;
}

// An ACE texture: header, level table, each level behind its length word
// down to the first 8-byte level (DXT1's 4x4), then the filler that stands
// for the two smallest levels. The library's export keeps the level state in
// its process-wide record; here it belongs to the call.
bool WriteAce(const Picture& picture, const TextureRequest& request, const std::string& output,
              uint64_t& bytesWritten, std::string& error) {
  AtomicFile file;
  if (!file.Open(output, error)) return false;
  CountingSink counted(file, bytesWritten);
  const int32_t channels = AceChannelCount(request.format);
  const auto header = BuildAceHeader(picture.width, picture.height, channels);
  counted.Write(header.data(), header.size());
  const std::vector<uint8_t> table = BuildAceLevelTable(picture.width, channels);
  counted.Write(table.data(), table.size());
  bool pastSmallestBlock = false;
  const LevelCallback writeLevel = [&](const uint8_t* bytes, int32_t, int32_t byteCount) {
    if (pastSmallestBlock) return;
    uint8_t length[4];
    StoreLE32(length, static_cast<uint32_t>(byteCount));
    counted.Write(length, sizeof length);
    counted.Write(bytes, static_cast<size_t>(byteCount));
    pastSmallestBlock = byteCount == 8;
  };
  if (!ReportStatus(Compress(picture, request, writeLevel, nullptr), error)) return false;
  const std::vector<uint8_t> filler = BuildAceFiller(picture.bgra.data(), channels);
  counted.Write(filler.data(), filler.size());
  return file.Commit(error);
}

}  // namespace

bool ContainerTakesFormat(Container container, int32_t format, std::string& error) {
  switch (container) {
    case Container::Dds:
      return true;
    case Container::Fs70:
    case Container::Mips:
      if (!BuildFsHeader(format, 1, 1, false).empty()) return true;
      error = std::string("the ") + ContainerName(container) + " container has no header for " + FormatName(format) +
              " (it takes dxt1, dxt1a, dxt3, 4444, 1555, 565 and 8888); use --container dds";
      return false;
    case Container::Ace:
      if (format == FormatDXT1 || format == FormatDXT1a) return true;
      error = "the ace container holds dxt1 or dxt1a only, not " + FormatName(format);
      return false;
  }
  return false;
}

bool CheckEncodable(int32_t format, int32_t width, int32_t height, std::string& error) {
  const std::string sides = std::to_string(width) + "x" + std::to_string(height);
  if (width > kMaxImageSide || height > kMaxImageSide) {
    error = "sides of at most " + std::to_string(kMaxImageSide) + " pixels are supported, the image is " + sides;
    return false;
  }
  if (IsBlockFormat(format) && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))) {
    error = FormatName(format) + " needs power-of-two sides, the image is " + sides;
    return false;
  }
  if (LevelByteSize(format, static_cast<uint32_t>(width), static_cast<uint32_t>(height)) > INT32_MAX) {
    error = "the image is too large for " + FormatName(format) + " (" + sides + ", first level above 2 GiB)";
    return false;
  }
  return true;
}

std::vector<std::string> OutputFiles(Container container, const std::string& output, int32_t width,
                                     int32_t height) {
  if (container != Container::Mips) return {output};
  std::vector<std::string> files;
  const int32_t levels = LevelCount(width, height);
  for (int32_t level = 0; level < levels; ++level) files.push_back(LevelFileName(output, level));
  return files;
}

bool WriteTexture(const Picture& picture, const TextureRequest& request, const std::string& output,
                  uint64_t& bytesWritten, std::string& error) {
  bytesWritten = 0;
  switch (request.container) {
    case Container::Dds:
      return WriteDds(picture, request, output, bytesWritten, error);
    case Container::Fs70:
      return WriteFs70(picture, request, output, bytesWritten, error);
    case Container::Mips:
      return WriteMipFiles(picture, request, output, bytesWritten, error);
    case Container::Ace:
      return WriteAce(picture, request, output, bytesWritten, error);
  }
  return false;
}

}  // namespace quarn::cli
