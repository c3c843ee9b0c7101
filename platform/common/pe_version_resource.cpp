// Walks a PE file to its version resource: DOS header -> PE header -> the
// optional header's resource directory entry -> the section table -> the
// three levels of the resource tree (type, name, language) -> the resource
// data -> the fixed file information of the version block.
//
// Everything is read through small, bounded reads: a field is used only when
// all its bytes lie inside the raw data of the section that holds it and
// inside the file, so a damaged or hostile file yields 0, never a read out of
// bounds.
#include "platform/common/pe_version_resource.h"

#include <cstring>
#include <vector>

namespace quarn::platform {
namespace {

constexpr uint16_t kDosSignature = 0x5A4D;        // "MZ"
constexpr uint32_t kPeHeaderPointerOffset = 0x3C; // where the DOS header keeps the PE header's offset
constexpr uint32_t kPeSignature = 0x00004550;     // "PE\0\0"
constexpr uint32_t kCoffHeaderSize = 20;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kResourceDirectoryIndex = 2;   // third entry of the data directories

constexpr uint32_t kResourceDirectorySize = 16;
constexpr uint32_t kResourceEntrySize = 8;
constexpr uint32_t kResourceDataEntrySize = 16;
constexpr uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr uint32_t kNamedEntryFlag = 0x80000000u;
constexpr uint32_t kVersionResourceType = 16;
constexpr uint32_t kVersionResourceName = 1;

// The version block: length, value length and type (16-bit each), the key
// "VS_VERSION_INFO" in UTF-16 with its terminator, padding to four bytes,
// then the fixed file information.
constexpr char kVersionKey[] = "VS_VERSION_INFO";
constexpr uint32_t kVersionKeyOffset = 6;
constexpr uint32_t kVersionKeyBytes = sizeof(kVersionKey) * 2;  // UTF-16, terminator included
constexpr uint32_t kFixedInfoOffset = 40;                       // 6 + 32, rounded up to four
constexpr uint32_t kFixedInfoSize = 52;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BDu;
constexpr uint32_t kProductVersionLowOffset = 20;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The 32-bit pattern read as two's complement.
int32_t ToSigned32(uint32_t bits) {
  int32_t value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Where the raw data of one section lies, in memory addresses (RVA) and in
// the file.
struct Section {
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

class PeFile {
 public:
  explicit PeFile(const ReadBytesAt& read) : read_(read) {}

  // Reads the headers and the section table; false when the file is not a
  // PE file or has no resource directory.
  bool ReadHeaders() {
    uint8_t dos[64];
    if (!read_(0, dos, sizeof dos) || Le16(dos) != kDosSignature) return false;
    const uint64_t peOffset = Le32(dos + kPeHeaderPointerOffset);

    uint8_t coff[4 + kCoffHeaderSize];
    if (!read_(peOffset, coff, sizeof coff) || Le32(coff) != kPeSignature) return false;
    const uint32_t sectionCount = Le16(coff + 4 + 2);
    const uint32_t optionalHeaderSize = Le16(coff + 4 + 16);
    const uint64_t optionalHeaderOffset = peOffset + sizeof coff;

    uint8_t magic[2];
    if (optionalHeaderSize < sizeof magic || !read_(optionalHeaderOffset, magic, sizeof magic)) return false;
    uint32_t directoryCountOffset = 0;
    if (Le16(magic) == kPe32Magic) {
      directoryCountOffset = 92;
    } else if (Le16(magic) == kPe32PlusMagic) {
      directoryCountOffset = 108;
    } else {
      return false;
    }
    const uint32_t resourceEntryOffset = directoryCountOffset + 4 + kResourceDirectoryIndex * 8;
    if (optionalHeaderSize < resourceEntryOffset + 8) return false;
    uint8_t count[4];
    uint8_t resource[8];
    if (!read_(optionalHeaderOffset + directoryCountOffset, count, sizeof count) ||
        Le32(count) <= kResourceDirectoryIndex ||
        !read_(optionalHeaderOffset + resourceEntryOffset, resource, sizeof resource))
      return false;
    resourceRva_ = Le32(resource);
    if (resourceRva_ == 0 || Le32(resource + 4) == 0) return false;

    const uint64_t sectionTableOffset = optionalHeaderOffset + optionalHeaderSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
      uint8_t header[kSectionHeaderSize];
      if (!read_(sectionTableOffset + uint64_t{i} * kSectionHeaderSize, header, sizeof header)) return false;
      Section section;
      section.virtualAddress = Le32(header + 12);
      section.rawSize = Le32(header + 16);
      section.rawOffset = Le32(header + 20);
      sections_.push_back(section);
    }
    return true;
  }

  // The file offset of the memory address `rva` and how many bytes of the
  // same section follow it in the file; false when no section holds it.
  bool Locate(uint32_t rva, uint64_t& fileOffset, uint32_t& available) const {
    for (const Section& section : sections_) {
      if (rva < section.virtualAddress) continue;
      const uint32_t into = rva - section.virtualAddress;
      if (into >= section.rawSize) continue;
      fileOffset = uint64_t{section.rawOffset} + into;
      available = section.rawSize - into;
      return true;
    }
    return false;
  }

  // Reads `size` bytes at `offset` of a region of `available` bytes that
  // starts at `regionStart` in the file.
  bool ReadIn(uint64_t regionStart, uint32_t available, uint64_t offset, void* out, uint32_t size) const {
    if (offset > available || size > available - offset) return false;
    return read_(regionStart + offset, out, size);
  }

  uint32_t ResourceRva() const { return resourceRva_; }

 private:
  const ReadBytesAt& read_;
  uint32_t resourceRva_ = 0;
  std::vector<Section> sections_;
};

// The resource tree: every offset in it counts from its root table, and every
// byte of it must lie in the section that holds the root.
class ResourceTree {
 public:
  ResourceTree(const PeFile& pe, uint64_t rootOffset, uint32_t available)
      : pe_(pe), rootOffset_(rootOffset), available_(available) {}

  // The data field of the entry of table `table` with the numeric `id`, or
  // of its first entry when `id` is null. `wantTable` says whether the entry
  // must lead to a further table or to a data entry; the flag is stripped.
  bool FindEntry(uint32_t table, const uint32_t* id, bool wantTable, uint32_t& target) const {
    uint8_t header[kResourceDirectorySize];
    if (!Read(table, header, sizeof header)) return false;
    const uint32_t namedCount = Le16(header + 12);
    const uint32_t idCount = Le16(header + 14);
    const uint32_t first = id ? namedCount : 0;  // numbered entries follow the named ones
    const uint32_t end = namedCount + idCount;
    for (uint32_t i = first; i < end; ++i) {
      uint8_t entry[kResourceEntrySize];
      if (!Read(uint64_t{table} + kResourceDirectorySize + uint64_t{i} * kResourceEntrySize, entry, sizeof entry))
        return false;
      const uint32_t name = Le32(entry);
      if (id && ((name & kNamedEntryFlag) != 0 || name != *id)) continue;
      const uint32_t data = Le32(entry + 4);
      if (((data & kSubdirectoryFlag) != 0) != wantTable) return false;
      target = data & ~kSubdirectoryFlag;
      return true;
    }
    return false;
  }

  bool Read(uint64_t offset, void* out, uint32_t size) const {
    return pe_.ReadIn(rootOffset_, available_, offset, out, size);
  }

 private:
  const PeFile& pe_;
  uint64_t rootOffset_;
  uint32_t available_;
};

// The product build number from the version block of `size` bytes at
// `offset` in the file, or 0.
int32_t ReadFixedFileInfo(const PeFile& pe, uint64_t offset, uint32_t size) {
  uint8_t header[kVersionKeyOffset];
  if (!pe.ReadIn(offset, size, 0, header, sizeof header)) return 0;
  const uint32_t blockLength = Le16(header);
  const uint32_t valueLength = Le16(header + 2);
  const uint32_t blockEnd = blockLength < size ? blockLength : size;
  if (valueLength < kFixedInfoSize) return 0;

  uint8_t key[kVersionKeyBytes];
  if (!pe.ReadIn(offset, blockEnd, kVersionKeyOffset, key, sizeof key)) return 0;
  for (uint32_t i = 0; i < sizeof kVersionKey; ++i) {
    if (Le16(key + 2 * i) != static_cast<uint8_t>(kVersionKey[i])) return 0;
  }

  uint8_t fixed[kFixedInfoSize];
  if (!pe.ReadIn(offset, blockEnd, kFixedInfoOffset, fixed, sizeof fixed)) return 0;
  if (Le32(fixed) != kFixedInfoSignature) return 0;
  return ToSigned32(Le32(fixed + kProductVersionLowOffset));
}

}  // namespace

int32_t ParseProductBuildNumber(const ReadBytesAt& read, uint32_t maxBytes) {
  PeFile pe(read);
  if (!pe.ReadHeaders()) return 0;

  uint64_t rootOffset = 0;
  uint32_t rootAvailable = 0;
  if (!pe.Locate(pe.ResourceRva(), rootOffset, rootAvailable)) return 0;
  const ResourceTree tree(pe, rootOffset, rootAvailable);

  uint32_t names = 0;
  uint32_t languages = 0;
  uint32_t dataEntry = 0;
  if (!tree.FindEntry(0, &kVersionResourceType, true, names) ||
      !tree.FindEntry(names, &kVersionResourceName, true, languages) ||
      !tree.FindEntry(languages, nullptr, false, dataEntry))
    return 0;

  uint8_t entry[kResourceDataEntrySize];
  if (!tree.Read(dataEntry, entry, sizeof entry)) return 0;
  const uint32_t dataRva = Le32(entry);
  uint32_t considered = Le32(entry + 4);

  uint64_t dataOffset = 0;
  uint32_t dataAvailable = 0;
  if (!pe.Locate(dataRva, dataOffset, dataAvailable)) return 0;
  if (considered > dataAvailable) considered = dataAvailable;
  if (considered > maxBytes) considered = maxBytes;
  return ReadFixedFileInfo(pe, dataOffset, considered);
}

int32_t ParseProductBuildNumber(const uint8_t* file, size_t size, uint32_t maxBytes) {
  const ReadBytesAt read = [file, size](uint64_t offset, void* out, size_t count) {
    if (!file || offset > size || count > size - offset) return false;
    if (count) std::memcpy(out, file + offset, count);
    return true;
  };
  return ParseProductBuildNumber(read, maxBytes);
}

}  // namespace quarn::platform
