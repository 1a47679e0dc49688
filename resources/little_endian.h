#pragma once
#include <cstdint>
#include <cstring>

// Reading and writing the packed little-endian fields of the archive and
// model formats. Fields sit at any byte offset, so they are copied bytewise
// rather than read through casted pointers.

inline uint32_t readU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int32_t readI32(const uint8_t* p) { return static_cast<int32_t>(readU32(p)); }

// A 32-bit IEEE float stored little-endian (the host is little-endian too).
inline float readF32(const uint8_t* p) {
  float value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

inline void writeU32(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value >> 16);
  p[3] = static_cast<uint8_t>(value >> 24);
}
