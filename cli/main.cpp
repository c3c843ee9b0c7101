// quarn: the command-line tool of the Quarn texture codec.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "interrupt_cleanup.h"
#include "usage_text.h"

int main(int argc, char** argv) {
  using namespace quarn::cli;
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) {
    std::fputs(MainUsage(), stderr);
    return kExitUsage;
  }
  const std::string& command = all.front();
  const std::vector<std::string> arguments(all.begin() + 1, all.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(MainUsage(), stdout);
    return kExitDone;
  }
  if (command == "--version") {
    std::printf("quarn %s\n", QUARN_VERSION);
    return kExitDone;
  }
  InstallInterruptCleanup();
  try {
    if (command == "compress") return RunCompress(arguments);
    if (command == "decode") return RunDecode(arguments);
    if (command == "info") return RunInfo(arguments);
    if (command == "compare") return RunCompare(arguments);
    throw UsageError("unknown command '" + command + "'; use compress, decode, info or compare");
  } catch (const UsageError& error) {
    const bool known = command == "compress" || command == "decode" || command == "info" || command == "compare";
    std::fprintf(stderr, "quarn%s%s: %s\nTry 'quarn %s--help'.\n", known ? " " : "", known ? command.c_str() : "",
                 error.what(), known ? (command + " ").c_str() : "");
    return kExitUsage;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quarn: %s\n", error.what());
    return kExitSomeFailed;
  }
}
