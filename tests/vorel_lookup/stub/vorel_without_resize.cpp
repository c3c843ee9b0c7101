// A library named Vorel that does not export _bmpresize.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t VorelStubVersion() { return 1; }
