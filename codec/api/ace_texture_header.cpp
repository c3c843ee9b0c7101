#include "codec/api/ace_texture_header.h"

#include <cstring>

#include "codec/engine/little_endian.h"
#include "codec/engine/texture_format.h"

namespace quarn {

namespace {

constexpr char kSignature[] = "SIMISA@@@@@@@@@@";
constexpr char kSourceName[] = "Unknown";
constexpr char kCreator[] = "ACE File Created by Quarn.dll (Freeware use only)";
constexpr uint32_t kAceFormatDXT1 = 18;

// The two per-table words at offsets 4 and 8 of a level table. Where `bIsFloat`
// is set the second word holds `b` as an IEEE 754 single.
struct AceTableWords {
  int32_t width;
  int32_t channels;
  uint32_t a;
  float b;
  bool bIsFloat;
};

constexpr AceTableWords kTableWords[] = {
    {64, 3, 1938, 0.0f, false},  {128, 3, 5540, 0.0f, false}, {256, 3, 4060, 100.0f, true},
    {512, 3, 5436, 150.0f, true}, {64, 4, 1844, 0.0f, false}, {128, 4, 4062, 0.0f, false},
    {256, 4, 2074, 0.0f, false}, {512, 4, 6038, 0.0f, false},
};

uint32_t FloatBits(float value) {
  static_assert(sizeof(float) == sizeof(uint32_t), "IEEE 754 single expected");
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Level offsets count from the byte after the signature.
constexpr uint32_t kOffsetBase = 16;

}  // namespace

int32_t AceChannelCount(int32_t format) { return format == FormatDXT1a ? 4 : 3; }

std::array<uint8_t, kAceHeaderLength> BuildAceHeader(int32_t width, int32_t height, int32_t channels) {
  std::array<uint8_t, kAceHeaderLength> header{};
  uint8_t* h = header.data();
  std::memcpy(h, kSignature, 16);
  StoreLE32(h + 16, 1);
  StoreLE32(h + 20, 17);
  StoreLE32(h + 24, static_cast<uint32_t>(width));
  StoreLE32(h + 28, static_cast<uint32_t>(height));
  StoreLE32(h + 32, kAceFormatDXT1);
  StoreLE32(h + 36, static_cast<uint32_t>(channels));
  std::memcpy(h + 44, kSourceName, sizeof kSourceName - 1);
  static_assert(sizeof kCreator <= 64, "creator field is 64 bytes");
  std::memcpy(h + 60, kCreator, sizeof kCreator - 1);
  return header;
}

std::vector<uint8_t> BuildAceLevelTable(int32_t width, int32_t channels) {
  const AceTableWords* words = nullptr;
  for (const AceTableWords& t : kTableWords) {
    if (t.width == width && t.channels == channels) words = &t;
  }
  if (!words) return {};

  uint32_t levels = 1;
  for (int32_t side = width; side > 1; side /= 2) ++levels;
  const size_t descriptorBytes = 16 * static_cast<size_t>(channels);
  std::vector<uint8_t> table(40 + descriptorBytes + 4 * levels, 0);
  uint8_t* t = table.data();
  StoreLE32(t + 4, words->a);
  StoreLE32(t + 8, words->bIsFloat ? FloatBits(words->b) : 0);
  StoreLE32(t + 12, channels == 4 ? 16 : 14);
  StoreLE32(t + 16, kAceFormatDXT1);

  // Channel descriptors: 64-bit bit depth, 64-bit channel code.
  static constexpr uint32_t kChannels[4][2] = {{8, 3}, {8, 4}, {8, 5}, {1, 2}};
  uint8_t* descriptor = t + 40;
  for (int32_t c = 0; c < channels; ++c, descriptor += 16) {
    StoreLE32(descriptor, kChannels[c][0]);
    StoreLE32(descriptor + 8, kChannels[c][1]);
  }

  // Where each level of the DXT1 chain starts, the first just past the
  // table: a length word and w x h / 2 bytes per level down to 4 x 4, then
  // 12 bytes (3 channels) or 14 (4 channels) for 2 x 2, then 1 x 1.
  uint32_t offset = static_cast<uint32_t>(kAceHeaderLength - kOffsetBase + table.size());
  uint8_t* entry = descriptor;
  for (int32_t side = width; side >= 1; side /= 2, entry += 4) {
    StoreLE32(entry, offset);
    if (side >= 4) {
      offset += 4 + static_cast<uint32_t>(side) * static_cast<uint32_t>(side) / 2;
    } else {
      offset += channels == 4 ? 14 : 12;
    }
  }
  return table;
}

std::vector<uint8_t> BuildAceFiller(const uint8_t* firstPixel, int32_t channels) {
  const int32_t repeats = channels == 4 ? 6 : 5;
  std::vector<uint8_t> filler;
  filler.reserve(3 * static_cast<size_t>(repeats));
  for (int32_t i = 0; i < repeats; ++i) filler.insert(filler.end(), firstPixel, firstPixel + 3);
  return filler;
}

}  // namespace quarn
