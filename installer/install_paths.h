// Paths as Kelvane builds them: the folder and name parts of a path, and the
// length limit of its path buffers.
#ifndef QUARN_INSTALLER_INSTALL_PATHS_H
#define QUARN_INSTALLER_INSTALL_PATHS_H

#include <cstddef>
#include <string>

namespace quarn::installer {

// Paths are limited to what a buffer of this many characters holds, the
// terminating zero included (the system's own limit for the 8-bit file
// services is about the same).
constexpr size_t kPathBufferSize = 256;

bool FitsPathBuffer(const std::string& path);

// Everything up to and including the last folder separator of `path`, or
// empty when there is none.
std::string DirectoryPart(const std::string& path);

// Everything after the last folder separator of `path`.
std::string FileNamePart(const std::string& path);

}  // namespace quarn::installer

#endif
