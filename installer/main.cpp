// Kelvane: installs the files of the "Data" folder beside the program into
// the system folder, file by file unless the installed copy is newer, and
// sums the run up in a message box. It takes no options and always exits
// with code 0.
#include <cstdio>
#include <exception>
#include <string>

#include "installer/folder_install.h"
#include "installer/install_paths.h"
#include "installer/install_report.h"
#include "platform/platform.h"

namespace quarn::installer {
namespace {

void RunInstaller(const std::string& programPath) {
  InstallReport report;
  std::string systemFolder;
  // A folder too long for the path buffer counts as a failed query.
  if (!platform::SystemFolder(systemFolder) || !FitsPathBuffer(systemFolder)) return;
  report.message += systemFolder + "\n\n";
  std::printf("System Folder - %s\n", systemFolder.c_str());

  InstallFolder(DirectoryPart(programPath) + "Data", systemFolder, report);

  if (report.errorCount != 0) {
    report.message +=
        "\nError installing a DLL.\nMake sure no program using the DLL is running before running the setup again";
  }
  std::fflush(stdout);
  platform::ShowMessageBox(report.message.c_str(), "Setup", platform::FocusWindow());
}

}  // namespace
}  // namespace quarn::installer

int main(int argc, char** argv) {
  try {
    quarn::installer::RunInstaller(argc > 0 && argv[0] ? argv[0] : "");
  } catch (const std::exception&) {
    // Out of memory for a path or the message; the exit code stays 0.
  }
  std::fflush(stdout);
  return 0;
}
