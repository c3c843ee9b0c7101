// The services of the operating system that Quarn and Kelvane use, behind one
// small interface. platform_posix.cpp implements it for Linux and other POSIX
// systems, platform_win32.cpp for Windows; CMake picks one at build time.
#ifndef QUARN_PLATFORM_PLATFORM_H
#define QUARN_PLATFORM_PLATFORM_H

#include <cstdint>
#include <functional>
#include <string>

namespace quarn::platform {

// Shows a modal message box with an OK button and waits until it is closed.
// A null caption means the system's default caption. `owner` is a native
// window handle or null. On POSIX the caption and text go to standard error
// and the call returns at once.
void ShowMessageBox(const char* text, const char* caption, void* owner = nullptr);

// The native handle of the window that has the keyboard focus, or null.
void* FocusWindow();

// Loads a shared library by its bare name ("Vorel" loads Vorel.dll on
// Windows and libVorel.so on POSIX, through the normal search order).
// Returns null when it cannot be loaded.
void* LoadLibraryByName(const char* name);
// Looks up an exported function; null when it is missing.
void* FindSymbol(void* library, const char* symbol);
void UnloadLibrary(void* library);

// Copies `source` over `destination`, replacing an existing file. The copy
// is atomic on POSIX (temporary file in the destination folder, then
// rename). A destination whose attributes make it read-only (on POSIX: its
// owner may not write it) is not replaced, whoever asks. Returns true on
// success.
bool CopyFileReplacing(const std::string& source, const std::string& destination);

// Clears the read-only (and hidden/system) attributes of a file; on POSIX
// makes the file writable by its owner. Returns true on success.
bool SetAttributesNormal(const std::string& path);

// The folder that system-wide libraries are installed into. On POSIX this is
// fixed when the program is built (CMake setting QUARN_SYSTEM_FOLDER) and
// must exist. Returns false when it cannot be told.
bool SystemFolder(std::string& folder);

// One entry of a folder listing.
struct FolderEntry {
  std::string name;
  bool isFolder = false;
};
// Calls `visit` for every entry of `folder` (including "." and ".." where the
// system reports them), in the system's order on Windows and by name on
// POSIX. Returns false when the folder cannot be listed.
bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit);

// The character that separates folders in the paths this platform builds.
char PathSeparator();
// Whether `c` ends the folder part of a path: backslash, slash or colon (a
// drive) on Windows, slash on POSIX.
bool IsPathSeparator(char c);

// Creates a new, uniquely named empty file in the platform's temporary folder
// and returns its path, or an empty string on failure. The caller removes it.
std::string CreateTemporaryFile(const char* prefix);

// Whether something (a file or a folder) exists at `path`.
bool PathExists(const std::string& path);

// Removes a file; returns true when it is gone.
bool RemoveFile(const std::string& path);

// The product version of a file's version resource (fixed file information),
// as its low 32 bits: third part x 65536 + fourth part. 0 when the file has no
// readable version resource or cannot be read. At most `maxBytes` bytes of
// version information are considered.
int32_t ReadProductBuildNumber(const std::string& path, uint32_t maxBytes = 1020);

}  // namespace quarn::platform

#endif
