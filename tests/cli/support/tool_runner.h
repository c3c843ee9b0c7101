// Runs the real quarn binary and captures what it reports.
#ifndef QUARN_TESTS_CLI_SUPPORT_TOOL_RUNNER_H
#define QUARN_TESTS_CLI_SUPPORT_TOOL_RUNNER_H

#include <string>
#include <vector>

namespace quarn::test {

struct ToolRun {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `quarn` with `arguments` (no shell interpretation of their contents)
// in the current folder.
ToolRun RunTool(const std::vector<std::string>& arguments);

// The names of the files in `folder`, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

}  // namespace quarn::test

#endif
