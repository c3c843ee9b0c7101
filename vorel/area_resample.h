// Area-averaging resampling of a picture to any new size.
#ifndef VOREL_AREA_RESAMPLE_H
#define VOREL_AREA_RESAMPLE_H

#include "bmp_picture.h"

namespace vorel {

// Every destination pixel is the mean of the part of the source that it
// covers, each source pixel weighted by its overlap, rounded to nearest
// (exact integer arithmetic). Sides must be 1 to kMaxSide.
Picture ResampleByArea(const Picture& source, int32_t newWidth, int32_t newHeight);

}  // namespace vorel

#endif
