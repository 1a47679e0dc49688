#pragma once

// Asks the window manager to show the top-level X window `window` full
// screen, over every panel, as it shows any full-screen program
// (_NET_WM_STATE_FULLSCREEN). False when the display cannot be opened.
bool askForFullScreen(unsigned long window);

// Gives the X window `window` the title `name` (WM_NAME and _NET_WM_NAME),
// which task bars and window lists show. False when the display cannot be
// opened.
bool nameWindow(unsigned long window, const char* name);
