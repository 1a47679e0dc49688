#pragma once

#include <string>

#include "app/option_flags.h"

// The full-screen run: settings (the files, then `overrides` from the
// command line), video, scene, frame loop, teardown. When a screen-saver
// host names a window to draw into (see findHostWindow), the saver draws
// there at that window's size instead.
int runSaverMode(const std::string& commandLine, const SettingOverrides& overrides);
