// Runs a program in a given folder under a given name and captures what it
// writes.
#ifndef QUARN_TESTS_INSTALLER_PROGRAM_RUN_H
#define QUARN_TESTS_INSTALLER_PROGRAM_RUN_H

#include <string>

namespace quarn::test {

struct ProgramRun {
  int exitCode = -1;  // -1 when it did not exit normally
  std::string out;    // standard output
  std::string err;    // standard error
};

// Starts the program file `executable` with `workingFolder` as current folder
// and `name` as its first argument (how it was called), no other argument,
// and waits for it. `captureFolder` receives the two capture files.
ProgramRun RunProgram(const std::string& executable, const std::string& name, const std::string& workingFolder,
                      const std::string& captureFolder);

}  // namespace quarn::test

#endif
