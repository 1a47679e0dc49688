#pragma once
#include <string>

// The settings dialog, opened with the values of the file at `settingsPath`
// (a file-system path; the defaults when there is none). OK writes the
// file; Cancel or closing the window leaves it alone. Returns the exit
// status: 0, or 1 when there is no display or the file could not be
// written (said on standard error and, for the latter, in a message box).
int runConfigDialog(int& argc, char**& argv, const std::string& settingsPath);
