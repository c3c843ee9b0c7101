// Root mean square error and peak signal-to-noise ratio between two pictures
// of the same sides.
#ifndef QUARN_CLI_PICTURE_DIFFERENCE_H
#define QUARN_CLI_PICTURE_DIFFERENCE_H

#include <string>
#include <vector>

#include "image_file.h"

namespace quarn::cli {

struct ChannelDifference {
  std::string name;  // "red", "green", "blue", "alpha", "overall"
  double rmse = 0;
  double psnr = 0;   // dB against a peak of 255; +infinity when equal
};

// Red, green, blue (and alpha when either picture has a pixel that is not
// fully opaque), then the overall
// figure over all compared channels. The pictures must have the same sides.
std::vector<ChannelDifference> PictureDifference(const Picture& a, const Picture& b);

}  // namespace quarn::cli

#endif
