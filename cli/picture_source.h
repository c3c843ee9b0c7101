// Reading any picture the tool can compare or decode: an image file (PNG,
// JPEG, TGA, BMP) or a DDS texture, decoded.
#ifndef QUARN_CLI_PICTURE_SOURCE_H
#define QUARN_CLI_PICTURE_SOURCE_H

#include <string>

#include "image_file.h"

namespace quarn::cli {

// Whether the file starts with the DDS signature.
bool IsDdsFile(const std::string& path);

// Decodes the first level of a DDS texture (every face or slice side by
// side). False with `error` set when the file cannot be read as DDS.
bool ReadDdsPicture(const std::string& path, Picture& picture, std::string& error);

// A DDS texture (decoded) or an image file, by the file's first bytes.
bool ReadAnyPicture(const std::string& path, Picture& picture, std::string& error);

}  // namespace quarn::cli

#endif
