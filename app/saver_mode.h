#pragma once

#include <string>

#include "app/options/command_line_options.h"

// The full-screen run: settings (the files, then `overrides` from the
// command line), video, scene, frame loop, teardown. When a screen-saver
// host names a window to draw into (see findHostWindow), the saver draws
// there, following the window's size, and ends with status 0 when the
// window goes away. A host window that was asked for but cannot be used
// ends the run with one line on stderr and status 1, before any window of
// our own appears. SIGTERM, SIGINT and SIGHUP end the run with status 0 at
// any point (see installStopSignals).
int runSaverMode(const std::string& commandLine, const SettingOverrides& overrides);

// The run's settings: `settings` and `extraSettings` from the files, then
// `overrides` from the command line on top.
void readSettingsForRun(const SettingOverrides& overrides);
