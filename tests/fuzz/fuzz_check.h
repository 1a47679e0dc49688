#pragma once
#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: report it and abort, which the
// fuzzer counts as a crash and keeps the input for.
#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

// Reads every byte of [bytes, bytes + size) so that a pointer or size that
// reaches outside its block is caught by the address checker.
inline unsigned touchBytes(const void* bytes, size_t size) {
  const volatile unsigned char* p = static_cast<const unsigned char*>(bytes);
  unsigned sum = 0;
  for (size_t i = 0; i < size; ++i) sum += p[i];
  return sum;
}
