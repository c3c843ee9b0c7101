// Installs every file of a folder (not its subfolders) into the system folder.
#ifndef QUARN_INSTALLER_FOLDER_INSTALL_H
#define QUARN_INSTALLER_FOLDER_INSTALL_H

#include <string>

#include "installer/install_report.h"

namespace quarn::installer {

// A folder that is missing or empty installs nothing.
void InstallFolder(const std::string& sourceFolder, const std::string& systemFolder, InstallReport& report);

}  // namespace quarn::installer

#endif
