#pragma once

#include "app/options/command_line_options.h"

// The program that draws it, in the installation folder beside the saver
// (app/background_main.cpp); `halvenrode --background` becomes it, so that
// the saver itself links none of GTK, EGL and Wayland.
constexpr char kBackgroundProgramName[] = "halvenrode-background";

// The scene as the desktop's background on a Wayland compositor with
// layer surfaces (`--background`): settings as for the full-screen run
// (the files, then `overrides`), the scene drawn on each output under every
// window, whenever the compositor asks for a frame. Takes no input; SIGTERM,
// SIGINT and SIGHUP end it with status 0. Without such a compositor it ends
// with one line on stderr and status 1.
int runBackgroundMode(const SettingOverrides& overrides);
