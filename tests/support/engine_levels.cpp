#include "support/engine_levels.h"

#include "quarn/quarn.h"

namespace quarn {

namespace {

// The callback has no context argument; the tests run one export at a time.
std::vector<std::vector<uint8_t>>* g_collecting = nullptr;

int32_t QUARN_CALL CollectLevel(const uint8_t* bytes, int32_t, int32_t count) {
  g_collecting->emplace_back(bytes, bytes + count);
  return 0;
}

}  // namespace

std::vector<std::vector<uint8_t>> CollectEngineLevels(const std::vector<uint8_t>& image, int32_t width,
                                                      int32_t height, int32_t format, int32_t planes,
                                                      const std::string& scratchPath) {
  std::vector<std::vector<uint8_t>> levels;
  g_collecting = &levels;
  DXTcompress(image.data(), width, height, format, 0, 0, planes, CollectLevel, scratchPath.c_str());
  g_collecting = nullptr;
  return levels;
}

}  // namespace quarn
