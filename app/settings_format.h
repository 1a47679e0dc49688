#pragma once
#include <cstdint>
#include <string>

#include "app/settings.h"

// The settings file's bytes, read by the saver and written by the settings
// program. All values are little-endian; a counted string is a 32-bit byte
// count followed by that many bytes. The first 32-bit value tells the two
// layouts apart:
// - kSettingsFormatWithOptions: both counted strings, the mouse flag (one
//   byte), the reserved word, the display mode, then the seven option
//   bytes (frame rate, clock, analog, 24-hour, large clock, calendar,
//   Monday-first calendar);
// - anything else: an older layout whose 14 option bytes are no longer
//   used, then the two counted strings.
constexpr int32_t kSettingsFormatWithOptions = 1;

// Reads a whole layout from the start of `bytes`; bytes after it are
// ignored, and the two strings are taken byte for byte. False when the
// bytes end early or a string's count is negative or larger than what
// follows it (checked before anything is allocated); `settings` then holds
// the defaults.
bool decodeSettings(const std::string& bytes, Settings& settings);

// The layout with options: 28 bytes plus the two strings.
std::string encodeSettings(const Settings& settings);
