#include "command_line.h"

#include <cerrno>
#include <cstdlib>

namespace quarn::cli {

ArgumentList::ArgumentList(const std::vector<std::string>& arguments) {
  bool operandsOnly = false;
  for (const std::string& argument : arguments) {
    if (operandsOnly || argument.size() < 2 || argument[0] != '-') {
      items_.push_back({argument, false});
    } else if (argument == "--") {
      operandsOnly = true;
    } else if (argument.compare(0, 2, "--") == 0 && argument.find('=') != std::string::npos) {
      const size_t equals = argument.find('=');
      items_.push_back({argument.substr(0, equals), true});
      items_.push_back({argument.substr(equals + 1), false});
    } else if (argument[1] != '-' && argument.size() > 2) {
      // Short option with its value attached: "-j4", "-fdxt1", "-oout.dds".
      items_.push_back({argument.substr(0, 2), true});
      items_.push_back({argument.substr(2), false});
    } else {
      items_.push_back({argument, true});
    }
  }
}

const std::string& ArgumentList::Next(bool& isOption) {
  const Item& item = items_[next_++];
  isOption = item.isOption;
  return item.text;
}

std::string ArgumentList::ValueOf(const std::string& option) {
  if (Done()) throw UsageError(option + " needs a value");
  return items_[next_++].text;
}

int ParseCount(const std::string& option, const std::string& text, int min, int max) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < min || value > max) {
    throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                     ", not '" + text + "'");
  }
  return static_cast<int>(value);
}

std::vector<std::string> OperandsAndFlags(const std::vector<std::string>& arguments, const std::vector<Flag>& flags) {
  std::vector<std::string> operands;
  ArgumentList list(arguments);
  while (!list.Done()) {
    bool isOption = false;
    const std::string argument = list.Next(isOption);
    if (!isOption) {
      operands.push_back(argument);
      continue;
    }
    bool known = false;
    for (const Flag& flag : flags) {
      if (argument == flag.name) {
        *flag.value = true;
        known = true;
      }
    }
    if (!known) throw UsageError("unknown option '" + argument + "'");
  }
  return operands;
}

bool AsksForHelp(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") return false;
    if (argument == "--help" || argument == "-h") return true;
  }
  return false;
}

}  // namespace quarn::cli
