// Windows implementation of the platform layer: thin wrappers over the
// system's own services (ANSI entry points, as the programs built on it pass
// 8-bit strings).
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <winver.h>

#include <cstring>
#include <string>
#include <vector>

namespace quarn::platform {

void ShowMessageBox(const char* text, const char* caption, void* owner) {
  MessageBoxA(static_cast<HWND>(owner), text ? text : "", caption, MB_OK);
}

void* FocusWindow() { return GetFocus(); }

void* LoadLibraryByName(const char* name) {
  if (!name || !*name) return nullptr;
  return LoadLibraryA(name);
}

void* FindSymbol(void* library, const char* symbol) {
  if (!library || !symbol) return nullptr;
  const FARPROC function = GetProcAddress(static_cast<HMODULE>(library), symbol);
  // The caller casts back to the function's real type.
  void* address = nullptr;
  static_assert(sizeof address == sizeof function, "function and data pointers differ in size");
  std::memcpy(&address, &function, sizeof address);
  return address;
}

void UnloadLibrary(void* library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
  // Fails on a read-only destination (and on one that is in use).
  return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

bool SetAttributesNormal(const std::string& path) {
  return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool SystemFolder(std::string& folder) {
  char buffer[MAX_PATH];
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  // 0 is a failure; a length of MAX_PATH or more is the size it would need.
  if (length == 0 || length >= MAX_PATH) return false;
  folder.assign(buffer, length);
  return true;
}

bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
  const std::string pattern = folder + "\\*.*";
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    FolderEntry entry;
    entry.name = found.cFileName;
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    visit(entry);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

char PathSeparator() { return '\\'; }

bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

std::string CreateTemporaryFile(const char* prefix) {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return std::string();
  char path[MAX_PATH];
  // Unique number 0: the system picks a free name and creates the file.
  if (GetTempFileNameA(folder, prefix ? prefix : "qrn", 0, path) == 0) return std::string();
  return path;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0 || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

int32_t ReadProductBuildNumber(const std::string& path, uint32_t maxBytes) {
  if (maxBytes == 0) return 0;
  std::vector<char> info(maxBytes);
  if (!GetFileVersionInfoA(path.c_str(), 0, maxBytes, info.data())) return 0;
  void* value = nullptr;
  UINT valueLength = 0;
  char root[] = "\\";
  if (!VerQueryValueA(info.data(), root, &value, &valueLength) || !value ||
      valueLength < sizeof(VS_FIXEDFILEINFO))
    return 0;
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  if (fixed.dwSignature != 0xFEEF04BDu) return 0;
  // The same two's complement reading as the POSIX build's own reader.
  int32_t build = 0;
  std::memcpy(&build, &fixed.dwProductVersionLS, sizeof build);
  return build;
}

}  // namespace quarn::platform
