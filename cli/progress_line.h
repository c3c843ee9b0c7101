// The one-line progress report of a batch (files done, megapixels per
// second), drawn on standard error only when that is a terminal.
#ifndef QUARN_CLI_PROGRESS_LINE_H
#define QUARN_CLI_PROGRESS_LINE_H

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace quarn::cli {

class ProgressLine {
 public:
  explicit ProgressLine(size_t total);

  // Records one finished file of `pixels` pixels and redraws the line.
  void FileDone(uint64_t pixels);
  // Removes the line, so that a message can be printed in its place; the
  // next FileDone draws it again.
  void Clear();

 private:
  bool shown_;
  size_t total_;
  size_t done_ = 0;
  uint64_t pixels_ = 0;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace quarn::cli

#endif
