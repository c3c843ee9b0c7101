#include "codec/mip/mip_chain.h"

#include <new>

#include "codec/engine/texture_format.h"
#include "codec/mip/out_of_memory.h"

namespace quarn {

void BoxFilterLevel(const uint32_t* source, int32_t width, int32_t height, uint32_t* target) {
  const int32_t targetWidth = NextLevelSide(width);
  for (int32_t y = 0; y < height; y += 2) {
    const uint32_t* row0 = source + static_cast<size_t>(y) * static_cast<size_t>(width);
    // A missing last row repeats the last row.
    const uint32_t* row1 = (y + 1 < height) ? row0 + width : row0;
    uint32_t* out = target + static_cast<size_t>(y / 2) * static_cast<size_t>(targetWidth);
    int32_t x = 0;
    for (; x + 1 < width; x += 2) {
      out[x / 2] = AverageFourPixels(row0[x], row0[x + 1], row1[x], row1[x + 1]);
    }
    if (x < width) {  // odd width: the last column stands in for the missing one
      out[x / 2] = AverageFourPixels(row0[x], row0[x], row1[x], row1[x]);
    }
  }
}

MipChain::MipChain(const RgbaImage& base) {
  int32_t width = base.width;
  int32_t height = base.height;
  levels_.push_back(MipLevel{width, height, base.pixels()});

  // Sizes of levels 1 and up, then one buffer for all of them.
  size_t total = 0;
  while (width > 1 || height > 1) {
    width = NextLevelSide(width);
    height = NextLevelSide(height);
    levels_.push_back(MipLevel{width, height, nullptr});
    total += static_cast<size_t>(width) * static_cast<size_t>(height);
  }
  if (total == 0) return;
  storage_.reset(new (std::nothrow) uint32_t[total]);
  if (!storage_) ExitNotEnoughMemory();

  uint32_t* next = storage_.get();
  for (size_t k = 1; k < levels_.size(); ++k) {
    const MipLevel& previous = levels_[k - 1];
    BoxFilterLevel(previous.pixels, previous.width, previous.height, next);
    levels_[k].pixels = next;
    next += static_cast<size_t>(levels_[k].width) * static_cast<size_t>(levels_[k].height);
  }
}

}  // namespace quarn
