#include "image_file.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <cctype>
#include <memory>

#include "path_names.h"

namespace quarn::cli {

namespace {

struct StbFree {
  void operator()(unsigned char* p) const { stbi_image_free(p); }
};
using StbPixels = std::unique_ptr<unsigned char, StbFree>;

bool CheckLoaded(const StbPixels& pixels, std::string& error) {
  if (pixels) return true;
  const char* reason = stbi_failure_reason();
  error = std::string("cannot decode the image (") + (reason ? reason : "unknown reason") + ")";
  return false;
}

void AppendBytes(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  const auto* begin = static_cast<const uint8_t*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
}

}  // namespace

bool CheckReadable(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = std::string("cannot open the file (") + std::strerror(errno) + ")";
    return false;
  }
  std::fclose(file);
  if (std::filesystem::is_directory(path)) {
    error = "is a folder, not an image";
    return false;
  }
  return true;
}

bool ReadPictureFile(const std::string& path, Picture& picture, std::string& error) {
  int width = 0;
  int height = 0;
  int channels = 0;
  StbPixels rgba(stbi_load(path.c_str(), &width, &height, &channels, 4));
  if (!CheckLoaded(rgba, error)) return false;
  picture.width = width;
  picture.height = height;
  picture.hasAlpha = channels == 2 || channels == 4;
  picture.bgra.assign(rgba.get(), rgba.get() + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  for (size_t i = 0; i < picture.bgra.size(); i += 4) std::swap(picture.bgra[i], picture.bgra[i + 2]);
  return true;
}

bool ReadGreyFile(const std::string& path, int32_t& width, int32_t& height, std::vector<uint8_t>& grey,
                  std::string& error) {
  int w = 0;
  int h = 0;
  int channels = 0;
  StbPixels pixels(stbi_load(path.c_str(), &w, &h, &channels, 1));
  if (!CheckLoaded(pixels, error)) return false;
  width = w;
  height = h;
  grey.assign(pixels.get(), pixels.get() + static_cast<size_t>(w) * static_cast<size_t>(h));
  return true;
}

bool EncodePictureFile(const std::string& path, const Picture& picture, std::vector<uint8_t>& bytes,
                       std::string& error) {
  const std::string extension = LowerExtension(path);
  const int channels = picture.hasAlpha ? 4 : 3;
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * channels);
  for (size_t i = 0; i < picture.bgra.size(); i += 4) {
    rgb.push_back(picture.bgra[i + 2]);
    rgb.push_back(picture.bgra[i + 1]);
    rgb.push_back(picture.bgra[i]);
    if (channels == 4) rgb.push_back(picture.bgra[i + 3]);
  }
  bytes.clear();
  int ok = 0;
  if (extension == ".png") {
    ok = stbi_write_png_to_func(AppendBytes, &bytes, picture.width, picture.height, channels, rgb.data(),
                                picture.width * channels);
  } else if (extension == ".tga") {
    ok = stbi_write_tga_to_func(AppendBytes, &bytes, picture.width, picture.height, channels, rgb.data());
  } else if (extension == ".bmp") {
    ok = stbi_write_bmp_to_func(AppendBytes, &bytes, picture.width, picture.height, channels, rgb.data());
  } else {
    error = "cannot tell the image kind from the extension '" + extension + "' (use .png, .tga or .bmp)";
    return false;
  }
  if (!ok) error = "the image could not be encoded";
  return ok != 0;
}

void FlipRows(Picture& picture) {
  const size_t rowBytes = picture.RowBytes();
  for (int32_t top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(picture.bgra.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                     picture.bgra.begin() + static_cast<std::ptrdiff_t>((top + 1) * rowBytes),
                     picture.bgra.begin() + static_cast<std::ptrdiff_t>(bottom * rowBytes));
  }
}

}  // namespace quarn::cli
