// POSIX implementation of the platform layer: the services that the codec
// library needs (message box on standard error, dynamic loading, temporary
// files).
#include "platform/platform.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quarn::platform {

void ShowMessageBox(const char* text, const char* caption, void* /*owner*/) {
  // No window system is assumed: the caption (the system's "Error" where none
  // is given) and the text go to standard error.
  std::fprintf(stderr, "[%s] %s", caption ? caption : "Error", text ? text : "");
  if (text && *text && text[std::char_traits<char>::length(text) - 1] != '\n') std::fputc('\n', stderr);
  std::fflush(stderr);
}

void* FocusWindow() { return nullptr; }

void* LoadLibraryByName(const char* name) {
  if (!name || !*name) return nullptr;
  const std::string file = std::string("lib") + name + ".so";
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindSymbol(void* library, const char* symbol) {
  if (!library || !symbol) return nullptr;
  return dlsym(library, symbol);
}

void UnloadLibrary(void* library) {
  if (library) dlclose(library);
}

char PathSeparator() { return '/'; }

std::string CreateTemporaryFile(const char* prefix) {
  const char* dir = "/tmp";
  std::string pattern = std::string(dir) + "/" + (prefix ? prefix : "quarn") + "-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) return std::string();
  close(fd);
  return pattern;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0 || access(path.c_str(), F_OK) != 0;
}

}  // namespace quarn::platform
