// Image files written by the tests: uncompressed TGA and BMP, so that the
// expected pixels are known exactly.
#ifndef QUARN_TESTS_CLI_SUPPORT_IMAGE_FIXTURES_H
#define QUARN_TESTS_CLI_SUPPORT_IMAGE_FIXTURES_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn::test {

// `pixels`: rows top to bottom, `planes` bytes per pixel (blue, green, red[,
// alpha]). The TGA is stored top row first, the BMP bottom row first (24-bit).
void WriteTga(const std::string& path, int32_t width, int32_t height, int32_t planes,
              const std::vector<uint8_t>& pixels);
void WriteBmp24(const std::string& path, int32_t width, int32_t height, const std::vector<uint8_t>& pixels);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// The rows of an image in reverse order.
std::vector<uint8_t> FlippedRows(const std::vector<uint8_t>& pixels, int32_t width, int32_t height, int32_t planes);

// What the codec makes of a top-row-first image: a DDS file, or each level.
std::vector<uint8_t> EngineDds(const std::vector<uint8_t>& pixels, int32_t width, int32_t height, int32_t planes,
                               int32_t format, bool dither);
std::vector<std::vector<uint8_t>> EngineLevels(const std::vector<uint8_t>& pixels, int32_t width, int32_t height,
                                               int32_t planes, int32_t format, bool dither);

}  // namespace quarn::test

#endif
