// Our own reader of the version resource of a PE file (a Windows executable
// or library), so that the product build number of a Windows library can be
// told on any system. It follows the published PE/COFF layout and checks every
// offset and size it reads against the section that holds it and the file.
#ifndef QUARN_PLATFORM_COMMON_PE_VERSION_RESOURCE_H
#define QUARN_PLATFORM_COMMON_PE_VERSION_RESOURCE_H

#include <cstddef>
#include <cstdint>
#include <functional>

namespace quarn::platform {

// Copies `size` bytes that start `offset` bytes into the file to `out`;
// false when they are not all there.
using ReadBytesAt = std::function<bool(uint64_t offset, void* out, size_t size)>;

// The low 32 bits of the product version in the fixed file information of
// the version resource (type 16, name 1, first language), as a signed value:
// third part x 65536 + fourth part. Only the first `maxBytes` bytes of the
// resource count. 0 when the file has no such resource, or any part of the
// way to it is missing, truncated or out of bounds.
int32_t ParseProductBuildNumber(const ReadBytesAt& read, uint32_t maxBytes);

// The same for a file held in memory.
int32_t ParseProductBuildNumber(const uint8_t* file, size_t size, uint32_t maxBytes);

}  // namespace quarn::platform

#endif
