// The help texts of the tool and its subcommands.
#ifndef QUARN_CLI_USAGE_TEXT_H
#define QUARN_CLI_USAGE_TEXT_H

namespace quarn::cli {

const char* MainUsage();
const char* CompressUsage();
const char* DecodeUsage();
const char* InfoUsage();
const char* CompareUsage();

}  // namespace quarn::cli

#endif
