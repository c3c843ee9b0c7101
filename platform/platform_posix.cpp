// POSIX implementation of the platform layer. There is no window system: the
// message box writes to standard error. The system folder is fixed when the
// program is built (QUARN_SYSTEM_FOLDER). Version resources are read by our
// own PE reader, so that Windows libraries can be installed from here too.
#include "platform/platform.h"

#include "platform/common/pe_version_resource.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef QUARN_SYSTEM_FOLDER
#error "QUARN_SYSTEM_FOLDER must name the folder that system-wide libraries go into"
#endif

namespace quarn::platform {
namespace {

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and tells whether the close succeeded (it can report a
  // failed write on some file systems).
  bool CloseChecked() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool CopyContents(int from, int to) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t got = read(from, buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(to, buffer.data(), static_cast<size_t>(got))) return false;
  }
}

// Opens without waiting: a named pipe in a folder of files would otherwise
// block until someone writes to it. Callers accept regular files only.
int OpenForReading(const std::string& path) { return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

void ShowMessageBox(const char* text, const char* caption, void* /*owner*/) {
  // The caption (the system's "Error" where none is given) and the text go
  // to standard error.
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

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
  // A destination without its owner's write bit is read-only, as a file with
  // the read-only attribute is on Windows: it is kept, even when the caller
  // is root and could replace it.
  struct stat existing;
  if (stat(destination.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode) || (existing.st_mode & S_IWUSR) == 0) return false;
  } else if (errno != ENOENT) {
    return false;
  }

  FileDescriptor in(OpenForReading(source));
  struct stat from;
  if (!in.valid() || fstat(in.get(), &from) != 0 || !S_ISREG(from.st_mode)) return false;

  // Written beside the destination and renamed over it at the end, so that
  // the destination is at every moment either the old file or the whole new
  // one.
  std::string temporary = FolderOf(destination) + "/.quarn-copy-XXXXXX";
  FileDescriptor out(mkostemp(temporary.data(), O_CLOEXEC));
  if (!out.valid()) return false;
  const bool copied = CopyContents(in.get(), out.get()) && fchmod(out.get(), from.st_mode & 0777) == 0 &&
                      fsync(out.get()) == 0 && out.CloseChecked() &&
                      rename(temporary.c_str(), destination.c_str()) == 0;
  if (!copied) unlink(temporary.c_str());
  return copied;
}

bool SetAttributesNormal(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return false;
  if ((status.st_mode & S_IWUSR) != 0) return true;
  return chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0;
}

bool SystemFolder(std::string& folder) {
  // Fixed at build time; an empty setting, or a folder that is not there,
  // cannot be installed into.
  const std::string configured = QUARN_SYSTEM_FOLDER;
  struct stat status;
  if (configured.empty() || stat(configured.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  folder = configured;
  return true;
}

bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  std::vector<FolderEntry> entries;
  while (const dirent* found = readdir(dir)) {
    FolderEntry entry;
    entry.name = found->d_name;
    // A link counts as what it points to, as a search on Windows reports it.
    struct stat status;
    if (found->d_type == DT_DIR) {
      entry.isFolder = true;
    } else if ((found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) &&
               fstatat(dirfd(dir), found->d_name, &status, 0) == 0) {
      entry.isFolder = S_ISDIR(status.st_mode);
    }
    entries.push_back(std::move(entry));
  }
  closedir(dir);
  // Directory order on POSIX file systems is arbitrary; by name, every run
  // reports the files in the same order.
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  for (const FolderEntry& entry : entries) visit(entry);
  return true;
}

char PathSeparator() { return '/'; }

bool IsPathSeparator(char c) { return c == '/'; }

std::string CreateTemporaryFile(const char* prefix) {
  const char* dir = "/tmp";
  std::string pattern = std::string(dir) + "/" + (prefix ? prefix : "quarn") + "-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) return std::string();
  close(fd);
  return pattern;
}

bool PathExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0 || access(path.c_str(), F_OK) != 0;
}

int32_t ReadProductBuildNumber(const std::string& path, uint32_t maxBytes) {
  FileDescriptor file(OpenForReading(path));
  struct stat status;
  if (!file.valid() || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
  const uint64_t fileSize = static_cast<uint64_t>(status.st_size);
  const ReadBytesAt read = [&file, fileSize](uint64_t offset, void* out, size_t size) {
    if (offset > fileSize || size > fileSize - offset) return false;
    char* to = static_cast<char*>(out);
    while (size > 0) {
      const ssize_t got = pread(file.get(), to, size, static_cast<off_t>(offset));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      to += got;
      offset += static_cast<uint64_t>(got);
      size -= static_cast<size_t>(got);
    }
    return true;
  };
  return ParseProductBuildNumber(read, maxBytes);
}

}  // namespace quarn::platform
