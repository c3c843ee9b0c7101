// Small images made by the tests themselves.
#ifndef QUARN_TESTS_SUPPORT_TEST_IMAGES_H
#define QUARN_TESTS_SUPPORT_TEST_IMAGES_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

// Every pixel blue, green, red[, alpha] as given.
std::vector<uint8_t> SolidImage(int32_t width, int32_t height, int32_t planes, uint8_t blue, uint8_t green,
                                uint8_t red, uint8_t alpha = 255);
// Smooth ramps across and down, alpha a diagonal ramp.
std::vector<uint8_t> GradientImage(int32_t width, int32_t height, int32_t planes);
// Deterministic pseudo-random bytes.
std::vector<uint8_t> NoiseImage(int32_t width, int32_t height, int32_t planes, uint32_t seed);

// Whole file contents; empty when the file cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// A fresh, empty folder for one test; removed with its contents by the destructor.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace quarn

#endif
