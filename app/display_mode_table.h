#pragma once
#include <cstdint>

struct DisplayMode {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
};

// Row 0 (all zeros) keeps the desktop's current mode.
constexpr int kDisplayModeCount = 10;
constexpr DisplayMode DisplayModeTable[kDisplayModeCount] = {
    {0, 0, 0},       {640, 480, 32},   {800, 600, 32},   {1024, 768, 32},  {1152, 864, 32},
    {1280, 800, 32}, {1280, 960, 32},  {1280, 1024, 32}, {1400, 1050, 32}, {1600, 1200, 32},
};

// Whether a display mode keeps the desktop's: all three values 0, as row 0
// is. A partly zero mode is no row of the table and is set as it stands.
constexpr bool keepsDesktopMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
  return width == 0 && height == 0 && bitsPerPixel == 0;
}
