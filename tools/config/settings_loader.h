#pragma once
#include <string>

#include "app/settings.h"

// The settings the configuration program starts from: those of the file at
// `path` (a file-system path) as the saver reads them, or the defaults when
// there is no file. A file that exists but cannot be read (permissions, not
// a regular file, absurdly large) is an error: false, with `problem` naming
// the path and the reason in one line, so that nothing overwrites choices
// that could not be read. Unlike the saver, which stops each counted
// string at its first zero byte, the two strings the program does not
// interpret are taken byte for byte, so that writing the file back keeps
// them exactly. A display mode outside the table becomes the desktop row,
// which is what the saver shows for it.
bool loadSettingsFile(const std::string& path, Settings& settings, std::string& problem);
