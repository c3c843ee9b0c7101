// The real test images of the shared corpus, loaded as working images.
#ifndef QUARN_TESTS_SUPPORT_CORPUS_IMAGES_H
#define QUARN_TESTS_SUPPORT_CORPUS_IMAGES_H

#include <memory>
#include <string>
#include <vector>

#include "codec/mip/rgba_image.h"

namespace quarn::test {

// Base names of the corpus images (without ".bgra"), in a fixed order.
const std::vector<std::string>& CorpusImageNames();

// Loads `dir`/`name`.bgra (raw blue, green, red, alpha bytes, top row first,
// square). Returns null when the file is missing or not a square image.
std::unique_ptr<RgbaImage> LoadCorpusImage(const std::string& dir, const std::string& name);

}  // namespace quarn::test

#endif
