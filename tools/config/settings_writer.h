#pragma once
#include <string>

#include "app/settings.h"

// The settings file in the layout that carries options (first 32-bit value
// 1), little-endian: both counted strings, the mouse flag, the reserved
// word, the display mode and the seven option bytes, 28 bytes plus the two
// strings.
std::string encodeSettings(const Settings& settings);

// One line for a failed write of the settings file at `path` with the
// error number `error`; a refusal by the file system's permissions in the
// administrator's folder is what an ordinary user meets when changing the
// machine-wide settings.
std::string describeWriteFailure(const std::string& path, int error);

// Replaces the file at `path` (a file-system path) atomically: the bytes go
// to a temporary file in the same folder, which is then renamed over the
// old one, so a failure at any step leaves the old file as it was. On failure `problem` says what happened,
// in one line naming the path.
bool writeSettingsFile(const std::string& path, const Settings& settings, std::string& problem);
