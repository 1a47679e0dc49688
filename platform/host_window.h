#pragma once
#include <string>

// A window that a screen-saver host hands us to draw into, instead of a
// full-screen one of our own: XSCREENSAVER_WINDOW in the environment, or
// "-window-id N" / "--window-id N" on the command line (hex "0x…" or
// decimal). The command line wins when both are given.
bool findHostWindow(const std::string& commandLine, unsigned long& window);

// Parses a window id, "0x…" hex or decimal; false for anything else or 0.
bool parseWindowId(const std::string& text, unsigned long& window);

// The window's current size on $DISPLAY; false when it does not exist.
bool hostWindowSize(unsigned long window, int& width, int& height);
