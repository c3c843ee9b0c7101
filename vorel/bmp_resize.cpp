// The library's one export.
#include <new>

#include "area_resample.h"
#include "bmp_picture.h"
#include "vorel.h"

extern "C" VOREL_API int32_t VOREL_CALL _bmpresize(const char* source, const char* destination, void* /*work*/,
                                                   int32_t newWidth, int32_t newHeight) {
  using namespace vorel;
  // Working storage belongs to the call, so the caller's work buffer is not
  // needed and concurrent calls do not meet.
  if (newWidth < 1 || newWidth > kMaxSide || newHeight < 1 || newHeight > kMaxSide) return 0;
  try {
    Picture picture;
    if (!ReadBmp(source, picture)) return 0;
    return WriteBmp(destination, ResampleByArea(picture, newWidth, newHeight)) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
