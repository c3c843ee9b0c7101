#include "support/dds_fixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"

namespace quarn::test {
namespace {

void Put32(uint8_t* header, uint32_t offset, uint32_t value) { StoreLE32(header + offset, value); }

}  // namespace

std::vector<uint8_t> DdsFixture::Bytes() const {
  std::vector<uint8_t> bytes(128 + data.size(), 0);
  StoreLE32(bytes.data(), kDdsMagic);
  uint8_t* header = bytes.data() + 4;
  Put32(header, DdsSize, kDdsHeaderSize);
  Put32(header, DdsFlags, flags);
  Put32(header, DdsHeight, height);
  Put32(header, DdsWidth, width);
  Put32(header, DdsDepth, depth);
  Put32(header, DdsMipCountField, mipCount);
  Put32(header, DdsPfSize, 32);
  Put32(header, DdsPfFlags, pfFlags);
  Put32(header, DdsFourCC, fourCC);
  Put32(header, DdsBitCount, bitCount);
  Put32(header, DdsRedMask, redMask);
  Put32(header, DdsGreenMask, greenMask);
  Put32(header, DdsBlueMask, blueMask);
  Put32(header, DdsAlphaMask, alphaMask);
  Put32(header, DdsCaps, kDdsCapsTexture);
  Put32(header, DdsCaps2, caps2);
  std::copy(data.begin(), data.end(), bytes.begin() + 128);
  return bytes;
}

DdsFixture BlockFixture(char digit, uint32_t width, uint32_t height, uint32_t mipCount) {
  DdsFixture f;
  f.width = width;
  f.height = height;
  f.mipCount = mipCount;
  f.pfFlags = 0x4;
  f.fourCC = FourCC('D', 'X', 'T', digit);
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
