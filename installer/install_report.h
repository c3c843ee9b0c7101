// What a run of Kelvane gathers for its closing message box.
#ifndef QUARN_INSTALLER_INSTALL_REPORT_H
#define QUARN_INSTALLER_INSTALL_REPORT_H

#include <string>

namespace quarn::installer {

struct InstallReport {
  std::string message = "Installing to ";
  int errorCount = 0;  // files whose copy failed
};

}  // namespace quarn::installer

#endif
