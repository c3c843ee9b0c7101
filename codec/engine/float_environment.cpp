#include "codec/engine/float_environment.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <xmmintrin.h>
#define QUARN_HAVE_MXCSR 1
#else
#include <cfenv>
#endif

namespace quarn {

#ifdef QUARN_HAVE_MXCSR
// All exceptions masked, round to nearest, no flush-to-zero, no
// denormals-are-zero: the processor's state after reset.
constexpr uint32_t kDefaultMxcsr = 0x1F80;

DefaultFloatEnvironment::DefaultFloatEnvironment() : saved_(_mm_getcsr()) { _mm_setcsr(kDefaultMxcsr); }
DefaultFloatEnvironment::~DefaultFloatEnvironment() { _mm_setcsr(saved_); }
#else
DefaultFloatEnvironment::DefaultFloatEnvironment() : saved_(static_cast<uint32_t>(std::fegetround())) {
  std::fesetround(FE_TONEAREST);
}
DefaultFloatEnvironment::~DefaultFloatEnvironment() { std::fesetround(static_cast<int>(saved_)); }
#endif

}  // namespace quarn
