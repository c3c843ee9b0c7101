#include "support/pe_image_builder.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quarn::test {
namespace {

constexpr size_t kPeHeaderOffset = 0x40;
constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kResourceRva = 0x1000;
constexpr size_t kResourceFileOffset = 0x200;

uint32_t AlignUp(uint32_t value, uint32_t alignment) { return (value + alignment - 1) / alignment * alignment; }

void WriteUtf16(std::vector<uint8_t>& bytes, size_t offset, const char* text) {
  for (size_t i = 0;; ++i) {
    WriteLe16(bytes, offset + 2 * i, static_cast<uint8_t>(text[i]));
    if (!text[i]) break;
  }
}

// One table of the resource tree with a single numbered entry.
void WriteResourceTable(std::vector<uint8_t>& bytes, size_t table, uint32_t id, uint32_t target) {
  WriteLe16(bytes, table + 14, 1);  // no named entries, one numbered entry
  WriteLe32(bytes, table + 16, id);
  WriteLe32(bytes, table + 20, target);
}

}  // namespace

void WriteLe16(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  bytes.at(offset) = static_cast<uint8_t>(value);
  bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void WriteLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  WriteLe16(bytes, offset, value & 0xFFFF);
  WriteLe16(bytes, offset + 2, value >> 16);
}

std::vector<uint8_t> BuildPeImage(const PeImageOptions& options, PeImageLayout* layoutOut) {
  PeImageLayout layout;
  const uint32_t optionalHeaderSize = options.pe32Plus ? 240 : 224;
  layout.peHeader = kPeHeaderOffset;
  layout.optionalHeader = layout.peHeader + 4 + 20;
  layout.resourceEntry = layout.optionalHeader + (options.pe32Plus ? 112 : 96) + 2 * 8;
  layout.sectionHeader = layout.optionalHeader + optionalHeaderSize;
  layout.resourceRoot = kResourceFileOffset;
  layout.typeEntry = layout.resourceRoot + 16;
  layout.nameEntry = layout.resourceRoot + 24 + 16;
  layout.languageEntry = layout.resourceRoot + 48 + 16;
  layout.dataEntry = layout.resourceRoot + 72;
  layout.versionBlock = layout.resourceRoot + 88;
  layout.fixedInfo = layout.versionBlock + 40;

  const uint32_t blockLength = 92 + options.trailingBytes;
  if (blockLength > 0xFFFF) throw std::invalid_argument("version block too long");
  const uint32_t resourceSize = 88 + blockLength;
  const uint32_t rawSize = AlignUp(resourceSize, kFileAlignment);
  layout.fileSize = kResourceFileOffset + rawSize;
  std::vector<uint8_t> bytes(layout.fileSize, 0);

  // DOS header: signature and the offset of the PE header.
  bytes[0] = 'M';
  bytes[1] = 'Z';
  WriteLe32(bytes, 0x3C, kPeHeaderOffset);

  // PE signature and file header: one section, a library.
  const size_t pe = layout.peHeader;
  bytes[pe] = 'P';
  bytes[pe + 1] = 'E';
  WriteLe16(bytes, pe + 4, options.pe32Plus ? 0x8664 : 0x014C);
  WriteLe16(bytes, pe + 6, 1);
  WriteLe16(bytes, pe + 20, optionalHeaderSize);
  WriteLe16(bytes, pe + 22, options.pe32Plus ? 0x2022 : 0x2102);

  // Optional header: the fields a loader checks, and sixteen data directories.
  const size_t opt = layout.optionalHeader;
  WriteLe16(bytes, opt, options.pe32Plus ? 0x20B : 0x10B);
  if (options.pe32Plus) {
    WriteLe32(bytes, opt + 24, 0x10000000);  // image base, 64 bits
  } else {
    WriteLe32(bytes, opt + 28, 0x10000000);
  }
  WriteLe32(bytes, opt + 32, kSectionAlignment);
  WriteLe32(bytes, opt + 36, kFileAlignment);
  WriteLe16(bytes, opt + 40, 4);  // operating system version
  WriteLe16(bytes, opt + 48, 4);  // subsystem version
  WriteLe32(bytes, opt + 56, kResourceRva + AlignUp(resourceSize, kSectionAlignment));
  WriteLe32(bytes, opt + 60, static_cast<uint32_t>(kResourceFileOffset));
  WriteLe16(bytes, opt + 68, 2);  // graphical subsystem
  WriteLe32(bytes, opt + (options.pe32Plus ? 108 : 92), 16);
  WriteLe32(bytes, layout.resourceEntry, kResourceRva);
  WriteLe32(bytes, layout.resourceEntry + 4, resourceSize);

  // Section ".rsrc".
  const size_t section = layout.sectionHeader;
  const char name[] = ".rsrc";
  for (size_t i = 0; i < sizeof name - 1; ++i) bytes[section + i] = static_cast<uint8_t>(name[i]);
  WriteLe32(bytes, section + 8, resourceSize);
  WriteLe32(bytes, section + 12, kResourceRva);
  WriteLe32(bytes, section + 16, rawSize);
  WriteLe32(bytes, section + 20, static_cast<uint32_t>(kResourceFileOffset));
  WriteLe32(bytes, section + 36, 0x40000040);  // initialised data, readable

  // Resource tree: type 16 -> name 1 -> language 0x409 -> data entry.
  const size_t root = layout.resourceRoot;
  WriteResourceTable(bytes, root, 16, 0x80000000u | 24);
  WriteResourceTable(bytes, root + 24, 1, 0x80000000u | 48);
  WriteResourceTable(bytes, root + 48, 0x409, 72);
  WriteLe32(bytes, layout.dataEntry, kResourceRva + 88);
  WriteLe32(bytes, layout.dataEntry + 4, blockLength);

  // The version block and its fixed file information.
  const size_t block = layout.versionBlock;
  WriteLe16(bytes, block, blockLength);
  WriteLe16(bytes, block + 2, 52);
  WriteUtf16(bytes, block + 6, "VS_VERSION_INFO");
  const uint16_t* v = options.productVersion;
  const uint32_t versionHigh = (uint32_t{v[0]} << 16) | v[1];
  const uint32_t versionLow = (uint32_t{v[2]} << 16) | v[3];
  const size_t fixed = layout.fixedInfo;
  WriteLe32(bytes, fixed, 0xFEEF04BDu);
  WriteLe32(bytes, fixed + 4, 0x00010000);
  WriteLe32(bytes, fixed + 8, versionHigh);   // file version
  WriteLe32(bytes, fixed + 12, versionLow);
  WriteLe32(bytes, fixed + 16, versionHigh);  // product version
  WriteLe32(bytes, fixed + 20, versionLow);
  WriteLe32(bytes, fixed + 24, 0x3F);         // flags mask
  WriteLe32(bytes, fixed + 32, 0x00040004);   // for 32-bit Windows NT
  WriteLe32(bytes, fixed + 36, 2);            // a library
  if (options.trailingBytes >= 32) {
    // A child block with no value, standing in for the string tables.
    const size_t child = fixed + 52;
    WriteLe16(bytes, child, options.trailingBytes);
    WriteLe16(bytes, child + 4, 1);
    WriteUtf16(bytes, child + 6, "VarFileInfo");
  }

  if (layoutOut) *layoutOut = layout;
  return bytes;
}

std::vector<uint8_t> BuildLibraryWithBuild(uint32_t build, uint32_t trailingBytes) {
  PeImageOptions options;
  options.productVersion[2] = static_cast<uint16_t>(build >> 16);
  options.productVersion[3] = static_cast<uint16_t>(build & 0xFFFF);
  options.trailingBytes = trailingBytes;
  return BuildPeImage(options);
}

void WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> ReadBytesFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quarn::test
