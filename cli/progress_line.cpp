#include "progress_line.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define QUARN_ISATTY _isatty
#define QUARN_FILENO _fileno
#else
#include <unistd.h>
#define QUARN_ISATTY isatty
#define QUARN_FILENO fileno
#endif

namespace quarn::cli {

ProgressLine::ProgressLine(size_t total)
    : shown_(QUARN_ISATTY(QUARN_FILENO(stderr)) != 0), total_(total), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::FileDone(uint64_t pixels) {
  ++done_;
  pixels_ += pixels;
  if (!shown_) return;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const double megapixelsPerSecond = seconds > 0 ? static_cast<double>(pixels_) / 1e6 / seconds : 0.0;
  std::fprintf(stderr, "\r%zu/%zu files, %.1f MP/s\033[K", done_, total_, megapixelsPerSecond);
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressLine::Clear() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace quarn::cli
