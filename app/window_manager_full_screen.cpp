#include "app/window_manager_full_screen.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include "platform/full_screen_request.h"

// The classic SDL draws into a child of the window the window manager
// sees; that outer window is the one whose state changes.
void askWindowManagerForFullScreen() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return;
  askForFullScreen(info.info.x11.wmwindow);
}
