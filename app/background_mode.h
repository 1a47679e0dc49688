#pragma once

#include "app/options/command_line_options.h"

// The scene as the desktop's background on a Wayland compositor with
// layer surfaces (`--background`): settings as for the full-screen run
// (the files, then `overrides`), the scene drawn on each output under every
// window, whenever the compositor asks for a frame. Takes no input; SIGTERM,
// SIGINT and SIGHUP end it with status 0. Without such a compositor it ends
// with one line on stderr and status 1.
int runBackgroundMode(const SettingOverrides& overrides);
