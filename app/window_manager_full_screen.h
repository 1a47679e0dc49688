#pragma once

// Asks the window manager to show the window of SDL's current video mode
// full screen (see FullScreenWindow::ByWindowManager). Does nothing when SDL does
// not name an X window.
void askWindowManagerForFullScreen();
