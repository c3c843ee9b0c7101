#include "interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quarn::cli {

namespace {

// A signal handler may neither lock nor allocate, so the registry is a fixed
// table of path buffers, each guarded by an atomic state.
enum SlotState : int { SlotFree = 0, SlotWriting = 1, SlotReady = 2 };
constexpr size_t kSlotCount = 512;
constexpr size_t kPathCapacity = 1024;

struct Slot {
  std::atomic<int> state{SlotFree};
  char path[kPathCapacity];
};

Slot g_slots[kSlotCount];

void RemovePath(const char* path) {
#ifdef _WIN32
  std::remove(path);
#else
  unlink(path);
#endif
}

extern "C" void RemoveTemporariesAndExit(int signalNumber) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() == SlotReady) RemovePath(slot.path);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void InstallInterruptCleanup() {
  std::signal(SIGINT, RemoveTemporariesAndExit);
  std::signal(SIGTERM, RemoveTemporariesAndExit);
}

void RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= kPathCapacity) return;  // not cleaned on interruption; still never under the real name
  for (Slot& slot : g_slots) {
    int expected = SlotFree;
    if (slot.state.compare_exchange_strong(expected, SlotWriting)) {
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.state.store(SlotReady);
      return;
    }
  }
}

void UnregisterTemporaryFile(const std::string& path) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() == SlotReady && path == slot.path) {
      slot.state.store(SlotFree);
      return;
    }
  }
}

}  // namespace quarn::cli
