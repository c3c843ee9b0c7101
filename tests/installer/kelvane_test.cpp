// Runs the installer program on temporary folders and compares its console
// output (standard output) and its closing message box (standard error on
// POSIX: "[caption] text") with the exact texts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "installer/program_run.h"
#include "support/pe_image_builder.h"

namespace quarn {
namespace {

namespace fs = std::filesystem;
using test::BuildLibraryWithBuild;
using test::ProgramRun;
using test::ReadBytesFromFile;
using test::WriteBytesToFile;

const std::string kSystemFolder = KELVANE_SYSTEM_FOLDER;
const std::string kSystemLine = "System Folder - " + kSystemFolder + "\n";
const std::string kMessageStart = "Installing to " + kSystemFolder + "\n\n";
const std::string kClosingParagraph =
    "\nError installing a DLL.\nMake sure no program using the DLL is running before running the setup again";

// The message box as the POSIX build shows it: caption in brackets, the
// text, and a line break unless the text ends with one.
std::string ShownMessage(const std::string& text) {
  return "[Setup] " + text + (!text.empty() && text.back() == '\n' ? "" : "\n");
}

const std::vector<uint8_t> kPlainBytes = {'n', 'o', ' ', 'v', 'e', 'r', 's', 'i', 'o', 'n'};

class Kelvane : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kelvane-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch_ = pattern;
    Reset(scratch_ + "/program");
  }

  void TearDown() override {
    MakeWritable(kSystemFolder);
    fs::remove_all(kSystemFolder);
    fs::create_directories(kSystemFolder);
    fs::remove_all(scratch_);
  }

  // Empties the system folder and puts a fresh copy of the program into
  // `programFolder` (without a "Data" folder).
  void Reset(const std::string& programFolder) {
    MakeWritable(kSystemFolder);
    fs::remove_all(kSystemFolder);
    fs::create_directories(kSystemFolder);
    if (!programFolder_.empty()) fs::remove_all(programFolder_);
    programFolder_ = programFolder;
    fs::create_directories(programFolder_);
    program_ = programFolder_ + "/Kelvane";
    fs::copy_file(KELVANE_UNDER_TEST, program_);
  }

  std::string Data() const { return programFolder_ + "/Data"; }

  void PutInData(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::create_directories(fs::path(Data() + "/" + name).parent_path());
    WriteBytesToFile(Data() + "/" + name, bytes);
  }

  static std::string Installed(const std::string& name) { return kSystemFolder + "/" + name; }

  static std::vector<std::string> SystemFolderNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSystemFolder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  static bool OwnerMayWrite(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) != 0;
  }

  // Started by its full path from the scratch folder.
  ProgramRun Run() { return RunAs(program_, scratch_); }

  ProgramRun RunAs(const std::string& name, const std::string& workingFolder) {
    ProgramRun run = test::RunProgram(program_, name, workingFolder, scratch_);
    EXPECT_EQ(run.exitCode, 0);
    return run;
  }

  std::string scratch_;
  std::string programFolder_;
  std::string program_;

 private:
  static void MakeWritable(const std::string& folder) {
    if (!fs::exists(folder)) return;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
  }
};

TEST_F(Kelvane, WithNothingToInstallShowsOnlyTheSystemFolder) {
  struct Case {
    const char* what;
    void (*prepare)(const std::string& data);
  };
  const Case cases[] = {
      {"no Data folder", [](const std::string&) {}},
      {"empty Data folder", [](const std::string& data) { fs::create_directories(data); }},
      {"Data with subfolders only",
       [](const std::string& data) {
         fs::create_directories(data + "/empty");
         fs::create_directories(data + "/sub");
         WriteBytesToFile(data + "/sub/Quarn.dll", BuildLibraryWithBuild(21));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset(programFolder_);
    c.prepare(Data());
    const ProgramRun run = Run();
    EXPECT_EQ(run.out, kSystemLine);
    EXPECT_EQ(run.err, ShownMessage(kMessageStart));
    EXPECT_EQ(run.err, "[Setup] Installing to " + kSystemFolder + "\n\n");
    EXPECT_TRUE(SystemFolderNames().empty());
  }
}

// What lies at a path before the run: nothing, a file without a version
// resource, or a library with a build number.
struct FileState {
  enum Kind { kNone, kUnversioned, kBuild } kind;
  uint32_t build;
  std::vector<uint8_t> Bytes(uint32_t trailingBytes = 0) const {
    return kind == kBuild ? BuildLibraryWithBuild(build, trailingBytes) : kPlainBytes;
  }
};
constexpr FileState kNothing{FileState::kNone, 0};
constexpr FileState kNoVersion{FileState::kUnversioned, 0};
constexpr FileState Build(uint32_t build) { return {FileState::kBuild, build}; }

TEST_F(Kelvane, ComparesBuildNumbersAndReportsEachFile) {
  struct Case {
    const char* what;
    FileState source;
    FileState installed;
    bool installedReadOnly;
    const char* console;  // after the system folder line
    const char* message;  // after "Installing to <folder>\n\n"
    bool copied;
  };
  const Case cases[] = {
      {"newer over older", Build(21), Build(19), false,
       "Quarn.dll   \t4.00.21  \t-> 4.00.19\t....installing\n", "Quarn.dll   \t 4.00.21\t - Installed\n", true},
      {"older over newer", Build(19), Build(21), false, "Quarn.dll   \t4.00.19  \t-> 4.00.21\t....skipping\n",
       "Quarn.dll   \t 4.00.19\t - skipped (newer version already installed)\n", false},
      {"older over newer, read-only", Build(19), Build(21), true,
       "Quarn.dll   \t4.00.19  \t-> 4.00.21\t....skipping\n",
       "Quarn.dll   \t 4.00.19\t - skipped (newer version already installed)\n", false},
      {"equal builds are copied again", Build(21), Build(21), false,
       "Quarn.dll   \t4.00.21  \t-> 4.00.21\t....installing\n", "Quarn.dll   \t 4.00.21\t - Installed\n", true},
      {"nothing installed yet", Build(21), kNothing, false, "Quarn.dll   \t4.00.21  \t-> 4.00.0\t....installing\n",
       "Quarn.dll   \t 4.00.21\t - Installed\n", true},
      {"no version resource, nothing installed", kNoVersion, kNothing, false,
       "Quarn.dll   \t4.00.0  \t-> 4.00.0\t....installing\n", "Quarn.dll   \t 4.00.0\t - Installed\n", true},
      {"no version resource over both", kNoVersion, kNoVersion, false,
       "Quarn.dll   \t4.00.0  \t-> 4.00.0\t....installing\n", "Quarn.dll   \t 4.00.0\t - Installed\n", true},
      {"no version resource over build 5", kNoVersion, Build(5), false,
       "Quarn.dll   \t4.00.0  \t-> 4.00.5\t....skipping\n",
       "Quarn.dll   \t 4.00.0\t - skipped (newer version already installed)\n", false},
      {"third part counts 65536", Build(0x00010002), Build(0x0000FFFF), false,
       "Quarn.dll   \t4.00.65538  \t-> 4.00.65535\t....installing\n", "Quarn.dll   \t 4.00.65538\t - Installed\n",
       true},
      {"negative build, nothing installed", Build(0xFFFFFFFF), kNothing, false,
       "Quarn.dll   \t4.00.-1  \t-> 4.00.0\t....installing\n", "Quarn.dll   \t 4.00.-1\t - Installed\n", true},
      {"negative build over a file without version", Build(0xFFFFFFFF), kNoVersion, false,
       "Quarn.dll   \t4.00.-1  \t-> 4.00.0\t....skipping\n",
       "Quarn.dll   \t 4.00.-1\t - skipped (newer version already installed)\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset(programFolder_);
    const std::vector<uint8_t> offered = c.source.Bytes();
    PutInData("Quarn.dll", offered);
    // The installed copy differs in its bytes even where the build is equal.
    const std::vector<uint8_t> before = c.installed.Bytes(64);
    if (c.installed.kind != FileState::kNone) {
      WriteBytesToFile(Installed("Quarn.dll"), before);
      if (c.installedReadOnly) fs::permissions(Installed("Quarn.dll"), fs::perms::owner_write, fs::perm_options::remove);
    }

    const ProgramRun run = Run();
    EXPECT_EQ(run.out, kSystemLine + c.console);
    EXPECT_EQ(run.err, ShownMessage(kMessageStart + c.message));
    if (c.copied || c.installed.kind != FileState::kNone) {
      EXPECT_EQ(ReadBytesFromFile(Installed("Quarn.dll")), c.copied ? offered : before);
      EXPECT_TRUE(OwnerMayWrite(Installed("Quarn.dll")));
    } else {
      EXPECT_FALSE(fs::exists(Installed("Quarn.dll")));
    }
  }
}

TEST_F(Kelvane, ReadOnlyOlderCopyFailsOnceThenInstallsOnTheNextRun) {
  const std::vector<uint8_t> offered = BuildLibraryWithBuild(21);
  const std::vector<uint8_t> old = BuildLibraryWithBuild(19);
  PutInData("Quarn.dll", offered);
  WriteBytesToFile(Installed("Quarn.dll"), old);
  fs::permissions(Installed("Quarn.dll"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  const ProgramRun first = Run();
  EXPECT_EQ(first.out, kSystemLine + "Quarn.dll   \t4.00.21  \t-> 4.00.19\t....ERROR\n");
  EXPECT_EQ(first.err, "[Setup] " + kMessageStart + "Quarn.dll   \t 4.00.21\t - ERROR\n" + kClosingParagraph + "\n");
  EXPECT_EQ(ReadBytesFromFile(Installed("Quarn.dll")), old);
  EXPECT_TRUE(OwnerMayWrite(Installed("Quarn.dll")));

  const ProgramRun second = Run();
  EXPECT_EQ(second.out, kSystemLine + "Quarn.dll   \t4.00.21  \t-> 4.00.19\t....installing\n");
  EXPECT_EQ(second.err, ShownMessage(kMessageStart + "Quarn.dll   \t 4.00.21\t - Installed\n"));
  EXPECT_EQ(ReadBytesFromFile(Installed("Quarn.dll")), offered);
}

TEST_F(Kelvane, InstallsEveryFileByNameAndIgnoresSubfolders) {
  PutInData("b.dll", BuildLibraryWithBuild(21));
  WriteBytesToFile(Installed("b.dll"), BuildLibraryWithBuild(19));
  PutInData("a.dll", BuildLibraryWithBuild(19));
  WriteBytesToFile(Installed("a.dll"), BuildLibraryWithBuild(21));
  PutInData("c.txt", kPlainBytes);
  PutInData("sub/d.dll", BuildLibraryWithBuild(30));
  fs::create_directories(Data() + "/empty");

  const ProgramRun run = Run();
  EXPECT_EQ(run.out, kSystemLine +
                         "a.dll   \t4.00.19  \t-> 4.00.21\t....skipping\n"
                         "b.dll   \t4.00.21  \t-> 4.00.19\t....installing\n"
                         "c.txt   \t4.00.0  \t-> 4.00.0\t....installing\n");
  EXPECT_EQ(run.err, ShownMessage(kMessageStart +
                                  "a.dll   \t 4.00.19\t - skipped (newer version already installed)\n"
                                  "b.dll   \t 4.00.21\t - Installed\n"
                                  "c.txt   \t 4.00.0\t - Installed\n"));
  EXPECT_EQ(SystemFolderNames(), (std::vector<std::string>{"a.dll", "b.dll", "c.txt"}));
}

TEST_F(Kelvane, FindsDataBesideTheNameItWasStartedBy) {
  const std::string elsewhere = scratch_ + "/elsewhere";
  struct Case {
    const char* what;
    std::string name;
    std::string workingFolder;
    const char* installs;
  };
  const Case cases[] = {
      {"full path", program_, elsewhere, "program.dll"},
      {"relative path", "program/Kelvane", scratch_, "program.dll"},
      {"bare name in another folder", "Kelvane", elsewhere, "elsewhere.dll"},
      {"bare name in its own folder", "Kelvane", programFolder_, "program.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset(programFolder_);
    PutInData("program.dll", BuildLibraryWithBuild(1));
    fs::create_directories(elsewhere + "/Data");
    WriteBytesToFile(elsewhere + "/Data/elsewhere.dll", BuildLibraryWithBuild(2));

    const ProgramRun run = RunAs(c.name, c.workingFolder);
    const std::string build = std::string(c.installs) == "program.dll" ? "1" : "2";
    EXPECT_EQ(run.out, kSystemLine + c.installs + "   \t4.00." + build + "  \t-> 4.00.0\t....installing\n");
    EXPECT_EQ(SystemFolderNames(), std::vector<std::string>{c.installs});
  }
}

TEST_F(Kelvane, WithoutSystemFolderEndsSilently) {
  PutInData("Quarn.dll", BuildLibraryWithBuild(21));
  fs::remove_all(kSystemFolder);
  const ProgramRun run = Run();
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_FALSE(fs::exists(kSystemFolder));
}

// Paths are limited to 255 characters: a file whose source or destination
// path is longer is reported as an error and left alone; the others are
// installed.
TEST_F(Kelvane, ReportsAFileWhosePathIsTooLongAsAnError) {
  struct Case {
    const char* what;
    std::string programFolder;
  };
  const Case cases[] = {
      {"destination path longest", scratch_ + "/program"},
      {"source path longest", scratch_ + "/" + std::string(kSystemFolder.size() + 20, 'p') + "/program"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset(c.programFolder);
    const size_t longestFolder = std::max(Data().size(), kSystemFolder.size());
    ASSERT_LT(longestFolder + 2, 255u);
    const std::string fits(255 - longestFolder - 1, 'f');
    const std::string tooLong(fits.size() + 1, 't');
    PutInData(fits, BuildLibraryWithBuild(7));
    PutInData(tooLong, BuildLibraryWithBuild(7));

    const ProgramRun run = Run();
    EXPECT_EQ(run.out, kSystemLine + fits + "   \t4.00.7  \t-> 4.00.0\t....installing\n" + tooLong +
                           "   \t....ERROR\n");
    EXPECT_EQ(run.err, ShownMessage(kMessageStart + fits + "   \t 4.00.7\t - Installed\n" + tooLong +
                                    "   \t - ERROR\n" + kClosingParagraph));
    EXPECT_EQ(SystemFolderNames(), std::vector<std::string>{fits});
  }
}

}  // namespace
}  // namespace quarn
