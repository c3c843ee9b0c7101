// DDS textures read back through the codec's re-entrant DDS reader.
#include <cstdio>

#include "picture_source.h"

namespace quarn::cli {

bool ReadDdsPicture(const std::string&, Picture&, std::string& error) {
  // The DDS reader is not part of this build yet.
  error = "reading DDS files needs the codec's DDS reader, which this build does not have yet";
  return false;
}

}  // namespace quarn::cli
