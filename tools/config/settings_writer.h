#pragma once
#include <string>

#include "app/settings.h"

// One line for a failed write of the settings file at `path` with the
// error number `error`; a refusal by the file system's permissions in the
// administrator's folder is what an ordinary user meets when changing the
// machine-wide settings.
std::string describeWriteFailure(const std::string& path, int error);

// The same for a folder on the way to the settings file that could not be
// made; the refusal is said of the nearest folder above it that exists.
std::string describeFolderFailure(const std::string& folder, int error);

// Replaces the file at `path` (a file-system path) atomically with the
// settings in the layout with options (encodeSettings): the bytes go to a
// temporary file in the same folder, which is then renamed over the old
// one, so a failure at any step leaves the old file as it was. On failure
// `problem` says what happened, in one line naming the path.
bool writeSettingsFile(const std::string& path, const Settings& settings, std::string& problem);
