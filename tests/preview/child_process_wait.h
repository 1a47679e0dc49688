#pragma once
#include <unistd.h>

#include <chrono>

template <typename Condition>
bool waitUntil(int timeoutMs, Condition condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    usleep(10000);
  }
}
