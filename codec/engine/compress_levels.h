// The level loop of the engine and its two level-making steps.
#ifndef QUARN_CODEC_ENGINE_COMPRESS_LEVELS_H
#define QUARN_CODEC_ENGINE_COMPRESS_LEVELS_H

#include <cstdint>
#include <vector>

#include "codec/engine/encode_settings.h"
#include "codec/mip/rgba_image.h"

namespace quarn {

// Reads the context's source into `level` (width x height pixels), dithering
// and cutting alpha to one bit as the settings ask.
void LoadBaseLevel(const EncodeContext& context, RgbaImage& level);

// Reduces `level` in place to half its size (rounding up) with the 2x2 box
// filter; with `oneBitAlpha` the result's alpha becomes 0 (below 127) or 255.
void HalveLevelInPlace(RgbaImage& level, bool oneBitAlpha);

// Encodes one level in `format` (10 to 19).
std::vector<uint8_t> EncodeLevel(const RgbaImage& level, int32_t format);

// Loads the base level, builds the mip chain and emits every level from the
// image down to 1 x 1: to `callback`, or after a DDS header to the context's
// output when there is no callback.
void CompressLevels(EncodeContext& context, int32_t format, const LevelCallback& callback);

}  // namespace quarn

#endif
