// Removal of the tool's temporary files when the run is interrupted
// (Ctrl-C, SIGTERM), so that an interrupted batch leaves neither half-written
// outputs (those never carry the real name) nor temporary litter.
#ifndef QUARN_CLI_INTERRUPT_CLEANUP_H
#define QUARN_CLI_INTERRUPT_CLEANUP_H

#include <string>

namespace quarn::cli {

// Installs the handlers for SIGINT and SIGTERM; they remove every registered
// file and then end the process as the signal would have.
void InstallInterruptCleanup();

// Files to remove on interruption. Safe to call from any thread.
void RegisterTemporaryFile(const std::string& path);
void UnregisterTemporaryFile(const std::string& path);

}  // namespace quarn::cli

#endif
