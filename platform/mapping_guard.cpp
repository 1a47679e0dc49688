#include "platform/mapping_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace {

// Read by the signal handler, so plain atomics in a fixed table: a range is
// published by its end before its start, and withdrawn by its start first.
struct GuardedRange {
  std::atomic<uintptr_t> start{0};
  std::atomic<uintptr_t> end{0};
};
constexpr int kGuardedRanges = 16;
GuardedRange guarded[kGuardedRanges];

std::mutex registration;
bool handlerInstalled = false;
struct sigaction previousAction;
uintptr_t pageBytes = 4096;

// Maps zero-filled pages over the guarded range from the page of `at` to
// its end, so that the faulting read, run again, reads zeros.
bool zeroFrom(uintptr_t at) {
  for (GuardedRange& range : guarded) {
    uintptr_t start = range.start.load(), end = range.end.load();
    if (start == 0 || at < start || at >= end) continue;
    uintptr_t page = at & ~(pageBytes - 1);
    return mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED;
  }
  return false;
}

// mmap is a plain system call here, safe in a handler in practice.
void onBusError(int signal, siginfo_t* info, void*) {
  if (info->si_code == BUS_ADRERR && zeroFrom(reinterpret_cast<uintptr_t>(info->si_addr))) return;
  // Not ours: the handler from before takes this signal, on the read's
  // second fault or, for a sent signal, at once.
  sigaction(SIGBUS, &previousAction, nullptr);
  if (info->si_code <= 0) raise(signal);
}

bool installHandler() {
  if (handlerInstalled) return true;
  long page = sysconf(_SC_PAGESIZE);
  if (page > 0) pageBytes = static_cast<uintptr_t>(page);
  struct sigaction action = {};
  action.sa_sigaction = onBusError;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  handlerInstalled = sigaction(SIGBUS, &action, &previousAction) == 0;
  return handlerInstalled;
}

}  // namespace

bool guardMapping(const void* start, size_t length) {
  std::lock_guard<std::mutex> hold(registration);
  if (start == nullptr || length == 0 || !installHandler()) return false;
  auto first = reinterpret_cast<uintptr_t>(start);
  for (GuardedRange& range : guarded) {
    if (range.start.load() != 0) continue;
    range.end.store(first + ((length + pageBytes - 1) & ~(pageBytes - 1)));
    range.start.store(first);
    return true;
  }
  return false;
}

void unguardMapping(const void* start) {
  std::lock_guard<std::mutex> hold(registration);
  for (GuardedRange& range : guarded) {
    if (range.start.load() == reinterpret_cast<uintptr_t>(start)) range.start.store(0);
  }
}
