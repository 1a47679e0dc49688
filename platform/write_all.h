#pragma once
#include <cstddef>
#include <cstdint>

// Writes all `size` bytes to the open file descriptor `fd`: a write may
// take fewer bytes than offered or be interrupted by a signal, and both are
// carried on from where they stopped. False, with errno set, on any error.
bool writeAll(int fd, const uint8_t* bytes, size_t size);
