// Argument handling shared by the subcommands.
#ifndef QUARN_CLI_COMMAND_LINE_H
#define QUARN_CLI_COMMAND_LINE_H

#include <stdexcept>
#include <string>
#include <vector>

namespace quarn::cli {

// Exit codes of every subcommand.
constexpr int kExitDone = 0;        // every input done
constexpr int kExitSomeFailed = 1;  // some inputs failed; each was named
constexpr int kExitUsage = 2;       // the command line itself is wrong

// A wrong command line; main prints it with a pointer to --help.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments of one subcommand, consumed from the front. "--name=value"
// is taken as "--name value" and "-jN" as "-j N"; after "--" every argument
// is an operand.
class ArgumentList {
 public:
  explicit ArgumentList(const std::vector<std::string>& arguments);

  bool Done() const { return next_ >= items_.size(); }
  // The next argument, and whether it is an option (starts with '-' and is
  // not a lone "-", and comes before "--").
  const std::string& Next(bool& isOption);
  // The value that follows `option`; UsageError when there is none.
  std::string ValueOf(const std::string& option);

 private:
  struct Item {
    std::string text;
    bool isOption;
  };
  std::vector<Item> items_;
  size_t next_ = 0;
};

// For subcommands whose options are all on/off flags: the operands in order,
// with each flag of `flags` that appears set to true; any other option is a
// UsageError.
struct Flag {
  const char* name;
  bool* value;
};
std::vector<std::string> OperandsAndFlags(const std::vector<std::string>& arguments, const std::vector<Flag>& flags);

// A whole number from `min` to `max` given to `option`; UsageError otherwise.
int ParseCount(const std::string& option, const std::string& text, int min, int max);

// Whether `--help` or `-h` appears among the arguments.
bool AsksForHelp(const std::vector<std::string>& arguments);

}  // namespace quarn::cli

#endif
