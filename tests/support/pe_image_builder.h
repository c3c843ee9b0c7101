// Builds small PE files (a resource-only library) with a version resource,
// byte by byte, for the tests of the version reader and of the installer.
#ifndef QUARN_TESTS_SUPPORT_PE_IMAGE_BUILDER_H
#define QUARN_TESTS_SUPPORT_PE_IMAGE_BUILDER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn::test {

struct PeImageOptions {
  bool pe32Plus = false;  // 64-bit optional header
  // Product version a.b.c.d; the build number is c * 65536 + d.
  uint16_t productVersion[4] = {4, 0, 0, 1};
  // Bytes of a further child block after the fixed file information (as the
  // string tables of a real resource), counted in the block's length.
  uint32_t trailingBytes = 0;
};

// Where the parts of a built image lie (file offsets), for tests that damage
// one field.
struct PeImageLayout {
  size_t peHeader = 0;          // "PE\0\0"
  size_t optionalHeader = 0;
  size_t resourceEntry = 0;     // data directory entry 2: RVA, size
  size_t sectionHeader = 0;     // the one section, ".rsrc"
  size_t resourceRoot = 0;      // root table of the resource tree
  size_t typeEntry = 0;         // root entry: type 16
  size_t nameEntry = 0;         // second level entry: name 1
  size_t languageEntry = 0;     // third level entry
  size_t dataEntry = 0;         // resource data entry: RVA, size
  size_t versionBlock = 0;      // VS_VERSION_INFO block
  size_t fixedInfo = 0;         // fixed file information
  size_t fileSize = 0;
};

std::vector<uint8_t> BuildPeImage(const PeImageOptions& options, PeImageLayout* layout = nullptr);

// A library image whose product version is 4.0.(build >> 16).(build & 0xFFFF).
std::vector<uint8_t> BuildLibraryWithBuild(uint32_t build, uint32_t trailingBytes = 0);

void WriteLe16(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
void WriteLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

void WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytesFromFile(const std::string& path);

}  // namespace quarn::test

#endif
