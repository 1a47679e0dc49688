#pragma once
#include <cstdint>
#include <string>

// Display-mode rows by the names people type: "desktop" for row 0, else
// "WIDTHxHEIGHT" ("1024x768"); every row but the first is 32 bits.
std::string displayModeValue(int row);

// Accepts a row's name as displayModeValue writes it, or the row number.
bool parseDisplayMode(const std::string& text, int32_t& row);

// The settings dialog's text for a row: "Desktop", or
// "1024 × 768, 32 bits per pixel".
std::string displayModeLabel(int row);
