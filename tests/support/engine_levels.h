// The levels the engine makes of an image, to compare a container's contents
// with.
#ifndef QUARN_TESTS_SUPPORT_ENGINE_LEVELS_H
#define QUARN_TESTS_SUPPORT_ENGINE_LEVELS_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

// Every level as DXTcompress's callback receives it (no dither). DXTcompress
// creates `scratchPath` and leaves it empty.
std::vector<std::vector<uint8_t>> CollectEngineLevels(const std::vector<uint8_t>& image, int32_t width,
                                                      int32_t height, int32_t format, int32_t planes,
                                                      const std::string& scratchPath);

}  // namespace quarn

#endif
