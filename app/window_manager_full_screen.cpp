#include "app/window_manager_full_screen.h"

#include "app/sdl_x11_windows.h"
#include "platform/full_screen_request.h"

// The classic SDL draws into a child of the window the window manager
// sees; that outer window is the one whose state changes.
void askWindowManagerForFullScreen() {
  FullScreenWindows windows;
  if (!sdlX11Windows(windows)) return;
  askForFullScreen(windows.containers[1] != 0 ? windows.containers[1] : windows.drawing);
}
