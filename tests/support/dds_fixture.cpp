#include "support/dds_fixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace quarn::test {
namespace {

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> DdsFixture::Bytes() const {
  std::vector<uint8_t> bytes(128 + data.size(), 0);
  Put32(bytes, 0, 0x20534444);
  Put32(bytes, 4, 124);
  Put32(bytes, 8, flags);
  Put32(bytes, 12, height);
  Put32(bytes, 16, width);
  Put32(bytes, 24, depth);
  Put32(bytes, 28, mipCount);
  Put32(bytes, 76, 32);
  Put32(bytes, 80, pfFlags);
  Put32(bytes, 84, fourCC);
  Put32(bytes, 88, bitCount);
  Put32(bytes, 92, redMask);
  Put32(bytes, 96, greenMask);
  Put32(bytes, 100, blueMask);
  Put32(bytes, 104, alphaMask);
  Put32(bytes, 108, 0x1000);
  Put32(bytes, 112, caps2);
  std::copy(data.begin(), data.end(), bytes.begin() + 128);
  return bytes;
}

DdsFixture BlockFixture(char digit, uint32_t width, uint32_t height, uint32_t mipCount) {
  DdsFixture f;
  f.width = width;
  f.height = height;
  f.mipCount = mipCount;
  f.pfFlags = 0x4;
  f.fourCC = uint32_t('D') | uint32_t('X') << 8 | uint32_t('T') << 16 | uint32_t(uint8_t(digit)) << 24;
  return f;
}

DdsFixture PixelFixture(uint32_t pfFlags, uint32_t bitCount, uint32_t greenMask, uint32_t alphaMask,
                        uint32_t width, uint32_t height) {
  DdsFixture f;
  f.width = width;
  f.height = height;
  f.pfFlags = pfFlags;
  f.bitCount = bitCount;
  f.greenMask = greenMask;
  f.alphaMask = alphaMask;
  return f;
}

void AppendSolidDxt1(std::vector<uint8_t>& data, uint16_t c0, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint8_t block[8] = {uint8_t(c0), uint8_t(c0 >> 8), uint8_t(c0), uint8_t(c0 >> 8), 0, 0, 0, 0};
    data.insert(data.end(), block, block + 8);
  }
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

size_t MemorySource::Read(void* buffer, size_t byteCount) {
  const size_t count = std::min(byteCount, bytes_.size() - position_);
  if (count != 0) std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

}  // namespace quarn::test
