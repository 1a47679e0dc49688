#pragma once
#include <string>

// Paths in this program are kept in one stored form, with backslashes
// between folder and file ("\\Quorvel_Halvenrode_cfg"), the form the registry
// value and the settings file name are written in. These helpers turn them
// into file-system paths at the moment they are used.

// The path with every '\' turned into '/'.
std::string nativePath(const std::string& path);

// The text of `path` up to (not including) its last separator, '\' or '/'.
// A path without a separator is returned whole.
std::string folderOfPath(const std::string& path);

// The folder that holds the running executable, with a trailing '/'.
// Empty when it cannot be determined.
std::string executableFolder();
