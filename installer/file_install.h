// Installs one file unless the installed copy carries a higher build number,
// and reports it on the console and in the closing message.
#ifndef QUARN_INSTALLER_FILE_INSTALL_H
#define QUARN_INSTALLER_FILE_INSTALL_H

#include <string>

#include "installer/install_report.h"

namespace quarn::installer {

void InstallFile(const std::string& source, const std::string& destination, InstallReport& report);

// Reports a file whose source or destination path is too long to handle: it
// is left alone and counts as a failed copy.
void ReportPathTooLong(const std::string& name, InstallReport& report);

}  // namespace quarn::installer

#endif
