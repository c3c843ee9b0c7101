// The subcommands; each takes its arguments (after the subcommand's name)
// and returns the process exit code. Usage errors are thrown as UsageError.
#ifndef QUARN_CLI_COMMANDS_H
#define QUARN_CLI_COMMANDS_H

#include <string>
#include <vector>

namespace quarn::cli {

int RunCompress(const std::vector<std::string>& arguments);
int RunDecode(const std::vector<std::string>& arguments);
int RunInfo(const std::vector<std::string>& arguments);
int RunCompare(const std::vector<std::string>& arguments);

}  // namespace quarn::cli

#endif
