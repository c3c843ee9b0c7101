#include "installer/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quarn::test {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

ProgramRun RunProgram(const std::string& executable, const std::string& name, const std::string& workingFolder,
                      const std::string& captureFolder) {
  const std::string outPath = captureFolder + "/stdout.txt";
  const std::string errPath = captureFolder + "/stderr.txt";
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(workingFolder.c_str()) != 0)
      _exit(126);
    char* const argv[] = {const_cast<char*>(name.c_str()), nullptr};
    execv(executable.c_str(), argv);
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  ProgramRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

}  // namespace quarn::test
