// The version-resource reader: build numbers of well-formed PE files, the
// byte limit, and damaged files (which must give 0, never read out of
// bounds).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/common/pe_version_resource.h"
#include "platform/platform.h"
#include "support/pe_image_builder.h"

namespace quarn {
namespace {

using test::BuildPeImage;
using test::PeImageLayout;
using test::PeImageOptions;
using test::WriteLe16;
using test::WriteLe32;

int32_t Parse(const std::vector<uint8_t>& file, uint32_t maxBytes = 1020) {
  return platform::ParseProductBuildNumber(file.data(), file.size(), maxBytes);
}

PeImageOptions WithVersion(bool pe32Plus, uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
  PeImageOptions options;
  options.pe32Plus = pe32Plus;
  options.productVersion[0] = a;
  options.productVersion[1] = b;
  options.productVersion[2] = c;
  options.productVersion[3] = d;
  return options;
}

TEST(PeVersionResource, ProductBuildNumberIsTheLowHalfAsSigned) {
  struct Case {
    uint16_t version[4];
    int32_t build;
  };
  const Case cases[] = {
      {{4, 0, 0, 21}, 21},
      {{9, 7, 0, 5}, 5},                    // the first two parts do not count
      {{4, 0, 1, 2}, 65538},                // third part x 65536 + fourth
      {{4, 0, 0x7FFF, 0xFFFF}, INT32_MAX},
      {{4, 0, 0x8000, 0}, INT32_MIN},
      {{4, 0, 0xFFFF, 0xFFFF}, -1},
  };
  for (bool pe32Plus : {false, true}) {
    for (const Case& c : cases) {
      const auto file =
          BuildPeImage(WithVersion(pe32Plus, c.version[0], c.version[1], c.version[2], c.version[3]));
      EXPECT_EQ(Parse(file), c.build) << "PE32+ " << pe32Plus << ", " << c.version[2] << "." << c.version[3];
    }
  }
}

TEST(PeVersionResource, OnlyTheFirstMaxBytesOfTheResourceCount) {
  // The fixed information ends 92 bytes into the block; a long block is still
  // readable through its start.
  PeImageOptions options = WithVersion(false, 4, 0, 0, 21);
  options.trailingBytes = 2000;
  const auto file = BuildPeImage(options);
  EXPECT_EQ(Parse(file, 1020), 21);
  EXPECT_EQ(Parse(file, 92), 21);
  EXPECT_EQ(Parse(file, 91), 0);
  EXPECT_EQ(Parse(file, 0), 0);
}

TEST(PeVersionResource, EveryTruncationShorterThanTheFixedInformationGivesZero) {
  for (bool pe32Plus : {false, true}) {
    PeImageLayout layout;
    const auto file = BuildPeImage(WithVersion(pe32Plus, 4, 0, 0, 21), &layout);
    const size_t needed = layout.fixedInfo + 52;
    for (size_t length = 0; length <= file.size(); ++length) {
      const std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
      EXPECT_EQ(Parse(prefix), length < needed ? 0 : 21) << "PE32+ " << pe32Plus << ", length " << length;
    }
  }
}

TEST(PeVersionResource, DamagedFilesGiveZero) {
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&, const PeImageLayout&)> damage;
  };
  const Case cases[] = {
      {"no DOS signature", [](auto& f, auto&) { f[1] = 'X'; }},
      {"PE header offset past the end", [](auto& f, auto&) { WriteLe32(f, 0x3C, 0xFFFFFFF0u); }},
      {"PE header offset just short of the end", [](auto& f, auto&) { WriteLe32(f, 0x3C, f.size() - 8); }},
      {"no PE signature", [](auto& f, auto& l) { f[l.peHeader + 1] = 'X'; }},
      {"unknown optional header kind", [](auto& f, auto& l) { WriteLe16(f, l.optionalHeader, 0x107); }},
      {"optional header too short for the resource entry",
       [](auto& f, auto& l) { WriteLe16(f, l.peHeader + 20, 100); }},
      {"only two data directories", [](auto& f, auto& l) { WriteLe32(f, l.resourceEntry - 20, 2); }},
      {"no resource directory", [](auto& f, auto& l) { WriteLe32(f, l.resourceEntry, 0); }},
      {"resource directory in no section", [](auto& f, auto& l) { WriteLe32(f, l.resourceEntry, 0x5000); }},
      {"no sections", [](auto& f, auto& l) { WriteLe16(f, l.peHeader + 6, 0); }},
      {"section table runs past the end", [](auto& f, auto& l) { WriteLe16(f, l.peHeader + 6, 0xFFFF); }},
      {"section data past the end", [](auto& f, auto& l) { WriteLe32(f, l.sectionHeader + 20, 0xFFFFFE00u); }},
      {"section too short for the version block",
       [](auto& f, auto& l) { WriteLe32(f, l.sectionHeader + 16, 88); }},
      {"data past the section's raw data, though inside the file",
       [](auto& f, auto& l) {
         WriteLe32(f, l.sectionHeader + 16, 0xF0);
         std::copy(f.begin() + l.versionBlock, f.begin() + l.versionBlock + 92, f.begin() + l.resourceRoot + 0x100);
         WriteLe32(f, l.dataEntry, 0x1100);
       }},
      {"no version type", [](auto& f, auto& l) { WriteLe32(f, l.typeEntry, 3); }},
      {"version type named, not numbered", [](auto& f, auto& l) { WriteLe32(f, l.typeEntry, 0x80000010u); }},
      {"type entry leads to data, not a table", [](auto& f, auto& l) { WriteLe32(f, l.typeEntry + 4, 24); }},
      {"type table past the section", [](auto& f, auto& l) { WriteLe32(f, l.typeEntry + 4, 0xFFFFFFF0u); }},
      {"type entry leads back to the root", [](auto& f, auto& l) { WriteLe32(f, l.typeEntry + 4, 0x80000000u); }},
      {"entry count past the section",
       [](auto& f, auto& l) {
         WriteLe16(f, l.resourceRoot + 14, 0xFFFF);
         WriteLe32(f, l.typeEntry, 3);
       }},
      {"no name 1", [](auto& f, auto& l) { WriteLe32(f, l.nameEntry, 2); }},
      {"language entry leads to a table", [](auto& f, auto& l) { WriteLe32(f, l.languageEntry + 4, 0x80000048u); }},
      {"language table empty", [](auto& f, auto& l) { WriteLe16(f, l.languageEntry - 2, 0); }},
      {"data entry past the section", [](auto& f, auto& l) { WriteLe32(f, l.languageEntry + 4, 0x7FFFFFF8u); }},
      {"data in no section", [](auto& f, auto& l) { WriteLe32(f, l.dataEntry, 0x9000); }},
      {"data below every section", [](auto& f, auto& l) { WriteLe32(f, l.dataEntry, 0x100); }},
      {"data size 0", [](auto& f, auto& l) { WriteLe32(f, l.dataEntry + 4, 0); }},
      {"data size short of the fixed information", [](auto& f, auto& l) { WriteLe32(f, l.dataEntry + 4, 91); }},
      {"block length short of the fixed information", [](auto& f, auto& l) { WriteLe16(f, l.versionBlock, 91); }},
      {"no fixed information", [](auto& f, auto& l) { WriteLe16(f, l.versionBlock + 2, 0); }},
      {"fixed information too short", [](auto& f, auto& l) { WriteLe16(f, l.versionBlock + 2, 51); }},
      {"wrong key", [](auto& f, auto& l) { WriteLe16(f, l.versionBlock + 6 + 2 * 14, 'X'); }},
      {"key without terminator", [](auto& f, auto& l) { WriteLe16(f, l.versionBlock + 6 + 2 * 15, 'X'); }},
      {"wrong signature", [](auto& f, auto& l) { WriteLe32(f, l.fixedInfo, 0xFEEF04BCu); }},
  };
  for (bool pe32Plus : {false, true}) {
    PeImageLayout layout;
    const auto intact = BuildPeImage(WithVersion(pe32Plus, 4, 0, 0, 21), &layout);
    ASSERT_EQ(Parse(intact), 21);
    for (const Case& c : cases) {
      auto file = intact;
      c.damage(file, layout);
      EXPECT_EQ(Parse(file), 0) << c.what << ", PE32+ " << pe32Plus;
    }
  }
}

TEST(PeVersionResource, NoFileGivesZero) {
  EXPECT_EQ(platform::ParseProductBuildNumber(nullptr, 0, 1020), 0);
  EXPECT_EQ(platform::ParseProductBuildNumber(nullptr, 4096, 1020), 0);
}

// The platform's reader of files on disk, over the same images.
TEST(PeVersionResource, ReadsFilesOnDisk) {
  const std::string path = platform::CreateTemporaryFile("pe-version");
  ASSERT_FALSE(path.empty());
  const auto file = test::BuildLibraryWithBuild(0x00030015);
  test::WriteBytesToFile(path, file);
  EXPECT_EQ(platform::ReadProductBuildNumber(path), 0x00030015);

  test::WriteBytesToFile(path, std::vector<uint8_t>(file.begin(), file.begin() + 300));
  EXPECT_EQ(platform::ReadProductBuildNumber(path), 0);
  test::WriteBytesToFile(path, {});
  EXPECT_EQ(platform::ReadProductBuildNumber(path), 0);

  ASSERT_TRUE(platform::RemoveFile(path));
  EXPECT_EQ(platform::ReadProductBuildNumber(path), 0);
}

}  // namespace
}  // namespace quarn
