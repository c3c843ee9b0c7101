#include "support/tool_runner.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/test_images.h"

namespace quarn::test {

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments) {
  TempFolder capture;
  std::string command = ShellQuoted(QUARN_TOOL_FILE);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(capture.File("out")) + " 2>" + ShellQuoted(capture.File("err")) + " </dev/null";
  ToolRun run;
  const int status = std::system(command.c_str());
  run.exitCode = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  const std::vector<uint8_t> out = ReadFileBytes(capture.File("out"));
  const std::vector<uint8_t> err = ReadFileBytes(capture.File("err"));
  run.out.assign(out.begin(), out.end());
  run.err.assign(err.begin(), err.end());
  return run;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quarn::test
