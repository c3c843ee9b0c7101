// Builds DDS files in memory for the reader's tests, and a ByteSource over
// bytes in memory.
#ifndef QUARN_TESTS_SUPPORT_DDS_FIXTURE_H
#define QUARN_TESTS_SUPPORT_DDS_FIXTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "codec/encode/surface_desc.h"
#include "codec/engine/encode_settings.h"

namespace quarn::test {

// A DDS file: the header fields a test sets (pitch, caps and the reserved
// words are not written), then the data.
struct DdsFixture : SurfaceDesc {
  DdsFixture() { flags = 0x1007; }
  std::vector<uint8_t> data;  // everything after the header

  // Magic, header and data.
  std::vector<uint8_t> Bytes() const;
};

// A block-format file (fourCC "DXT1" to "DXT5", pfFlags 0x4) without data.
DdsFixture BlockFixture(char digit, uint32_t width, uint32_t height, uint32_t mipCount = 0);
// An uncompressed file with the given pfFlags, bit count, green and alpha masks.
DdsFixture PixelFixture(uint32_t pfFlags, uint32_t bitCount, uint32_t greenMask, uint32_t alphaMask,
                        uint32_t width, uint32_t height);

// Appends `count` copies of a DXT1 colour block whose colour is `c0` (both
// end points, indices 0): opaque, decoding to c0 widened.
void AppendSolidDxt1(std::vector<uint8_t>& data, uint16_t c0, size_t count);

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  size_t Read(void* buffer, size_t byteCount) override;
  size_t position() const { return position_; }

 private:
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace quarn::test

#endif
