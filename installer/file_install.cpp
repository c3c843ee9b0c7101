#include "installer/file_install.h"

#include <cstdint>
#include <cstdio>

#include "installer/install_paths.h"
#include "platform/platform.h"

namespace quarn::installer {

void InstallFile(const std::string& source, const std::string& destination, InstallReport& report) {
  const std::string name = FileNamePart(destination);
  const int32_t installedBuild = platform::ReadProductBuildNumber(destination);
  const int32_t offeredBuild = platform::ReadProductBuildNumber(source);

  std::printf("%s   \t4.00.%d  \t-> 4.00.%d\t", name.c_str(), static_cast<int>(offeredBuild),
              static_cast<int>(installedBuild));
  report.message += name + "   \t 4.00." + std::to_string(offeredBuild) + "\t - ";

  // An equal build is copied again. A missing destination never blocks the
  // copy, not even of a build number that reads as negative.
  if (offeredBuild < installedBuild && platform::PathExists(destination)) {
    std::printf("....skipping\n");
    report.message += "skipped (newer version already installed)\n";
    return;
  }
  if (platform::CopyFileReplacing(source, destination)) {
    std::printf("....installing\n");
    report.message += "Installed\n";
  } else {
    std::printf("....ERROR\n");
    report.message += "ERROR\n";
    ++report.errorCount;
  }
}

void ReportPathTooLong(const std::string& name, InstallReport& report) {
  std::printf("%s   \t....ERROR\n", name.c_str());
  report.message += name + "   \t - ERROR\n";
  ++report.errorCount;
}

}  // namespace quarn::installer
