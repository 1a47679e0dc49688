#include "app/sdl_x11_windows.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

bool sdlX11Windows(FullScreenWindows& windows) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) return false;
  windows.drawing = info.info.x11.window;
  windows.containers[0] = info.info.x11.fswindow;
  windows.containers[1] = info.info.x11.wmwindow;
  return windows.drawing != 0;
}
