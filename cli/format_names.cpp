#include "format_names.h"

#include <cctype>

#include "codec/engine/texture_format.h"

namespace quarn::cli {

namespace {

struct FormatEntry {
  int32_t code;
  const char* name;
};

constexpr FormatEntry kFormats[] = {
    {FormatDXT1, "DXT1"}, {FormatDXT1a, "DXT1a"}, {FormatDXT3, "DXT3"}, {FormatDXT5, "DXT5"},
    {Format4444, "4444"}, {Format1555, "1555"},   {Format565, "565"},   {Format8888, "8888"},
    {Format888, "888"},   {Format555, "555"},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int32_t ParseFormat(const std::string& text) {
  const std::string lower = Lower(text);
  for (const FormatEntry& entry : kFormats) {
    if (lower == Lower(entry.name) || lower == std::to_string(entry.code)) return entry.code;
  }
  return -1;
}

std::string FormatName(int32_t format) {
  for (const FormatEntry& entry : kFormats) {
    if (entry.code == format) return entry.name;
  }
  return "format " + std::to_string(format);
}

std::string FormatChoices() {
  std::string choices;
  for (const FormatEntry& entry : kFormats) {
    if (!choices.empty()) choices += ", ";
    choices += Lower(entry.name);
  }
  return choices + " (or the codes 10 to 19)";
}

bool ParseContainer(const std::string& text, Container& container) {
  const std::string lower = Lower(text);
  for (Container c : {Container::Dds, Container::Fs70, Container::Ace, Container::Mips}) {
    if (lower == ContainerName(c)) {
      container = c;
      return true;
    }
  }
  return false;
}

const char* ContainerName(Container container) {
  switch (container) {
    case Container::Dds:
      return "dds";
    case Container::Fs70:
      return "fs70";
    case Container::Ace:
      return "ace";
    case Container::Mips:
      return "mips";
  }
  return "?";
}

const char* ContainerExtension(Container container) {
  switch (container) {
    case Container::Dds:
      return ".dds";
    case Container::Ace:
      return ".ace";
    case Container::Fs70:
    case Container::Mips:
      return ".bmp";
  }
  return "";
}

}  // namespace quarn::cli
