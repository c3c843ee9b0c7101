// Output files that appear complete or not at all: bytes go to a temporary
// file beside the target, which is renamed over the target only once every
// byte is written and flushed. A failed or abandoned write removes the
// temporary file, so no half-written output is ever left under the real name.
#ifndef QUARN_CLI_ATOMIC_FILE_H
#define QUARN_CLI_ATOMIC_FILE_H

#include <cstdio>
#include <string>

#include "codec/engine/encode_settings.h"

namespace quarn::cli {

class AtomicFile final : public ByteSink {
 public:
  AtomicFile() = default;
  ~AtomicFile() override;  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file for `target`. False with `error` set when it
  // cannot be created (missing folder, no permission).
  bool Open(const std::string& target, std::string& error);

  void Write(const void* data, size_t byteCount) override;

  // Flushes, closes and renames onto the target. False with `error` set when
  // any write failed (disk full) or the rename failed; the temporary file is
  // then removed.
  bool Commit(std::string& error);

  // Closes and removes the temporary file.
  void Abandon();

  const std::string& target() const { return target_; }

 private:
  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace quarn::cli

#endif
