// The names the tool uses for output formats and containers.
#ifndef QUARN_CLI_FORMAT_NAMES_H
#define QUARN_CLI_FORMAT_NAMES_H

#include <cstdint>
#include <string>

namespace quarn::cli {

// "dxt1", "DXT1a", "565", ... or a code "10" to "19"; -1 when unknown.
int32_t ParseFormat(const std::string& text);

// "DXT1", "DXT1a", "DXT3", "DXT5", "4444", "1555", "565", "8888", "888", "555".
std::string FormatName(int32_t format);

// The accepted names, for messages: "dxt1, dxt1a, ..., 555 (or the codes 10 to 19)".
std::string FormatChoices();

enum class Container { Dds, Fs70, Ace, Mips };

// "dds", "fs70", "ace", "mips"; false when unknown.
bool ParseContainer(const std::string& text, Container& container);
const char* ContainerName(Container container);

// The output file extension of a container (".dds", ".bmp", ".ace"); the mip
// files add their level number before ".bmp".
const char* ContainerExtension(Container container);

}  // namespace quarn::cli

#endif
