#include "app/options/display_mode_names.h"

#include "app/display_mode_table.h"

std::string displayModeValue(int row) {
  if (row <= 0 || row >= kDisplayModeCount) return "desktop";
  const DisplayMode& mode = DisplayModeTable[row];
  return std::to_string(mode.width) + "x" + std::to_string(mode.height);
}

bool parseDisplayMode(const std::string& text, int32_t& row) {
  for (int candidate = 0; candidate < kDisplayModeCount; ++candidate) {
    if (text == displayModeValue(candidate) || text == std::to_string(candidate)) {
      row = candidate;
      return true;
    }
  }
  return false;
}

std::string displayModeLabel(int row) {
  if (row <= 0 || row >= kDisplayModeCount) return "Desktop";
  const DisplayMode& mode = DisplayModeTable[row];
  return std::to_string(mode.width) + " \u00d7 " + std::to_string(mode.height) + ", " +
         std::to_string(mode.bitsPerPixel) + " bits per pixel";
}
