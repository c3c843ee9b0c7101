#include "installer/install_paths.h"

#include "platform/platform.h"

namespace quarn::installer {
namespace {

// Position just after the last separator, 0 when there is none.
size_t NameStart(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (platform::IsPathSeparator(path[i - 1])) return i;
  }
  return 0;
}

}  // namespace

bool FitsPathBuffer(const std::string& path) { return path.size() < kPathBufferSize; }

std::string DirectoryPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

}  // namespace quarn::installer
