#pragma once
#include "tools/config/settings_target.h"

// The settings dialog, opened with the values of the target's file (the
// defaults when there is none), and saying which file it edits. OK writes
// the file; Cancel or closing the window leaves it alone. Returns the exit
// status: 0, or 1 when there is no display or the file could not be
// written (said on standard error and, for the latter, in a message box).
// Losing the display while the dialog is open ends the program at once,
// with a line that says so (see watchForLostDisplay).
int runConfigDialog(int& argc, char**& argv, const SettingsTarget& target);
