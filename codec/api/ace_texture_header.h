// The fixed parts of an ACE texture file: the 128-byte header, the level
// table chosen by width and channel count, and the filler that stands for
// the two smallest levels.
#ifndef QUARN_CODEC_API_ACE_TEXTURE_HEADER_H
#define QUARN_CODEC_API_ACE_TEXTURE_HEADER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarn {

constexpr size_t kAceHeaderLength = 128;

// 4 channels (colour plus one-bit alpha) for FormatDXT1a, 3 for every other
// format.
int32_t AceChannelCount(int32_t format);

std::array<uint8_t, kAceHeaderLength> BuildAceHeader(int32_t width, int32_t height, int32_t channels);

// The level table for a square DXT1 image of `width` (64, 128, 256 or 512)
// with 3 or 4 channels; empty for any other width.
std::vector<uint8_t> BuildAceLevelTable(int32_t width, int32_t channels);

// The first pixel's blue, green and red bytes, 5 times for 3 channels and 6
// times for 4.
std::vector<uint8_t> BuildAceFiller(const uint8_t* firstPixel, int32_t channels);

}  // namespace quarn

#endif
