// The POSIX file services of the platform layer that the installer relies on:
// copying with replacement (atomic, and never over a read-only file), making
// a file writable again, and listing a folder.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/pe_image_builder.h"

namespace quarn {
namespace {

namespace fs = std::filesystem;
using test::ReadBytesFromFile;
using test::WriteBytesToFile;

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew = {'n', 'e', 'w', ' ', 'f', 'i', 'l', 'e'};

class PosixFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quarn-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    source_ = folder_ + "/source.bin";
    destination_ = folder_ + "/destination.bin";
    WriteBytesToFile(source_, kNew);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static mode_t Mode(const std::string& path) {
    struct stat status;
    EXPECT_EQ(stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
  }

  std::string folder_, source_, destination_;
};

TEST_F(PosixFiles, CopyCreatesOrReplacesAndLeavesNoTemporaryFile) {
  chmod(source_.c_str(), 0640);
  ASSERT_TRUE(platform::CopyFileReplacing(source_, destination_));
  EXPECT_EQ(ReadBytesFromFile(destination_), kNew);
  EXPECT_EQ(Mode(destination_), 0640u);

  WriteBytesToFile(destination_, kOld);
  ASSERT_TRUE(platform::CopyFileReplacing(source_, destination_));
  EXPECT_EQ(ReadBytesFromFile(destination_), kNew);
  EXPECT_EQ(Names(), (std::vector<std::string>{"destination.bin", "source.bin"}));
}

TEST_F(PosixFiles, CopyKeepsAReadOnlyDestinationEvenForRoot) {
  WriteBytesToFile(destination_, kOld);
  for (mode_t readOnly : {0444, 0555, 0474}) {  // 0474: others may write, the owner may not
    ASSERT_EQ(chmod(destination_.c_str(), readOnly), 0);
    EXPECT_FALSE(platform::CopyFileReplacing(source_, destination_)) << std::oct << readOnly;
    EXPECT_EQ(ReadBytesFromFile(destination_), kOld);
    EXPECT_EQ(Mode(destination_), readOnly);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"destination.bin", "source.bin"}));
}

TEST_F(PosixFiles, FailedCopiesLeaveTheDestinationAlone) {
  WriteBytesToFile(destination_, kOld);
  EXPECT_FALSE(platform::CopyFileReplacing(folder_ + "/missing.bin", destination_));
  EXPECT_FALSE(platform::CopyFileReplacing(folder_, destination_));  // a folder is no file
  EXPECT_EQ(ReadBytesFromFile(destination_), kOld);

  fs::create_directory(folder_ + "/sub");
  EXPECT_FALSE(platform::CopyFileReplacing(source_, folder_ + "/sub"));
  EXPECT_TRUE(fs::is_directory(folder_ + "/sub"));
  EXPECT_FALSE(platform::CopyFileReplacing(source_, folder_ + "/no-such-folder/destination.bin"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"destination.bin", "source.bin", "sub"}));
}

TEST_F(PosixFiles, NamedPipesAreNeitherWaitedOnNorCopied) {
  const std::string pipe = folder_ + "/pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_EQ(platform::ReadProductBuildNumber(pipe), 0);
  EXPECT_FALSE(platform::CopyFileReplacing(pipe, destination_));
  EXPECT_FALSE(fs::exists(destination_));
}

TEST_F(PosixFiles, SetAttributesNormalAddsTheOwnersWriteBitOnly) {
  struct Case {
    mode_t before, after;
  };
  for (const Case& c : {Case{0444, 0644}, Case{0400, 0600}, Case{0555, 0755}, Case{0640, 0640}, Case{0000, 0200}}) {
    ASSERT_EQ(chmod(source_.c_str(), c.before), 0);
    EXPECT_TRUE(platform::SetAttributesNormal(source_));
    EXPECT_EQ(Mode(source_), c.after) << std::oct << c.before;
  }
  EXPECT_FALSE(platform::SetAttributesNormal(folder_ + "/missing.bin"));
}

TEST_F(PosixFiles, ListFolderReportsEntriesByNameAndFlagsFolders) {
  fs::create_directory(folder_ + "/b-folder");
  fs::create_directory_symlink(folder_ + "/b-folder", folder_ + "/c-link-to-folder");
  fs::create_symlink(source_, folder_ + "/a-link-to-file");
  fs::create_symlink(folder_ + "/gone", folder_ + "/d-dangling-link");

  std::vector<std::string> seen;
  ASSERT_TRUE(platform::ListFolder(folder_, [&](const platform::FolderEntry& entry) {
    seen.push_back(entry.name + (entry.isFolder ? "/" : ""));
  }));
  EXPECT_EQ(seen, (std::vector<std::string>{"./", "../", "a-link-to-file", "b-folder/", "c-link-to-folder/",
                                            "d-dangling-link", "source.bin"}));

  EXPECT_FALSE(platform::ListFolder(folder_ + "/missing", [](const platform::FolderEntry&) {}));
  EXPECT_FALSE(platform::ListFolder(source_, [](const platform::FolderEntry&) {}));
}

}  // namespace
}  // namespace quarn

#endif
