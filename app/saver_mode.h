#pragma once

#include <string>

// The full-screen run: settings, video, scene, frame loop, teardown. When a
// screen-saver host names a window to draw into (see findHostWindow), the
// saver draws there at that window's size instead.
int runSaverMode(const std::string& commandLine);
