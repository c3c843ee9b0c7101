#include "installer/folder_install.h"

#include "installer/file_install.h"
#include "installer/install_paths.h"
#include "platform/platform.h"

namespace quarn::installer {

void InstallFolder(const std::string& sourceFolder, const std::string& systemFolder, InstallReport& report) {
  const char separator = platform::PathSeparator();
  platform::ListFolder(sourceFolder, [&](const platform::FolderEntry& entry) {
    if (entry.isFolder) return;  // subfolders, "." and ".." alike
    const std::string source = sourceFolder + separator + entry.name;
    const std::string destination = systemFolder + separator + entry.name;
    if (!FitsPathBuffer(source) || !FitsPathBuffer(destination)) {
      ReportPathTooLong(entry.name, report);
      return;
    }
    InstallFile(source, destination, report);
    // Cleared after every attempt, so that a read-only copy that made this
    // run fail does not block the next one.
    platform::SetAttributesNormal(destination);
  });
}

}  // namespace quarn::installer
