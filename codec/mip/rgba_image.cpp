#include "codec/mip/rgba_image.h"

#include "codec/mip/out_of_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace quarn {

void ExitNotEnoughMemory() {
  std::printf("%s %s %s\n", "Not enough memory", "", "");
  std::fflush(stdout);
  std::exit(1);
}

RgbaImage::RgbaImage(int32_t imageWidth, int32_t imageHeight) : width(imageWidth), height(imageHeight) {
  const size_t columns = static_cast<size_t>(std::max<int32_t>(4, imageWidth));
  const size_t rows = static_cast<size_t>(std::max<int32_t>(4, imageHeight));
  if (columns != 0 && rows > SIZE_MAX / sizeof(uint32_t) / columns) ExitNotEnoughMemory();
  capacity_ = columns * rows;
  storage_.reset(new (std::nothrow) uint32_t[capacity_]());
  if (!storage_) ExitNotEnoughMemory();
}

}  // namespace quarn
