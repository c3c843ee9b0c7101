// The engine's one fatal condition: a working buffer that cannot be made.
#ifndef QUARN_CODEC_MIP_OUT_OF_MEMORY_H
#define QUARN_CODEC_MIP_OUT_OF_MEMORY_H

namespace quarn {

// Prints "Not enough memory" (followed by two spaces and a line end) to the
// standard output and ends the process with exit code 1.
[[noreturn]] void ExitNotEnoughMemory();

}  // namespace quarn

#endif
