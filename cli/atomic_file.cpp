#include "atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "interrupt_cleanup.h"

#ifdef _WIN32
#include <process.h>
#define QUARN_GETPID _getpid
#else
#include <unistd.h>
#define QUARN_GETPID getpid
#endif

namespace quarn::cli {

namespace {

// Temporary names must differ between the threads of one run and between
// runs, and be recognisable as ours.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".quarn-tmp-" + std::to_string(QUARN_GETPID()) + "-" + std::to_string(counter++);
}

}  // namespace

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Open(const std::string& target, std::string& error) {
  Abandon();
  target_ = target;
  temporary_ = TemporaryNameFor(target);
  RegisterTemporaryFile(temporary_);
  file_ = std::fopen(temporary_.c_str(), "wb");
  if (!file_) {
    error = "cannot create " + target + " (" + std::strerror(errno) + ")";
    UnregisterTemporaryFile(temporary_);
    temporary_.clear();
    return false;
  }
  failed_ = false;
  return true;
}

void AtomicFile::Write(const void* data, size_t byteCount) {
  if (!file_ || failed_ || byteCount == 0) return;
  if (std::fwrite(data, 1, byteCount, file_) != byteCount) failed_ = true;
}

bool AtomicFile::Commit(std::string& error) {
  if (!file_) {
    error = "internal error: " + target_ + " was not opened";
    return false;
  }
  const bool flushed = std::fflush(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed_ || !flushed || !closed) {
    error = "cannot write " + target_ + " (" + std::strerror(failed_ || !flushed ? flushError : errno) + ")";
    Abandon();
    return false;
  }
  std::error_code renameError;
  std::filesystem::rename(temporary_, target_, renameError);
  if (renameError) {
    error = "cannot rename the finished file to " + target_ + " (" + renameError.message() + ")";
    Abandon();
    return false;
  }
  UnregisterTemporaryFile(temporary_);
  temporary_.clear();
  return true;
}

void AtomicFile::Abandon() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::remove(temporary_.c_str());
    UnregisterTemporaryFile(temporary_);
    temporary_.clear();
  }
}

}  // namespace quarn::cli
