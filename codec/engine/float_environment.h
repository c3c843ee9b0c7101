// The floating-point settings the encoder's results are defined for.
#ifndef QUARN_CODEC_ENGINE_FLOAT_ENVIRONMENT_H
#define QUARN_CODEC_ENGINE_FLOAT_ENVIRONMENT_H

#include <cstdint>

namespace quarn {

// The encoder's output is defined for IEEE arithmetic with rounding to
// nearest and without flushing tiny values to zero. The library runs on the
// host's thread and would otherwise inherit whatever the host set (a
// renderer often turns on flush-to-zero). This guard sets the default
// settings for its lifetime and gives the host its own back afterwards.
class DefaultFloatEnvironment {
 public:
  DefaultFloatEnvironment();
  ~DefaultFloatEnvironment();
  DefaultFloatEnvironment(const DefaultFloatEnvironment&) = delete;
  DefaultFloatEnvironment& operator=(const DefaultFloatEnvironment&) = delete;

 private:
  uint32_t saved_ = 0;
};

}  // namespace quarn

#endif
