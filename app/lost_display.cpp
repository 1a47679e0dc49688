#include "app/lost_display.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <string>

#include "platform/lost_connection.h"

void watchSdlDisplayConnection() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  if (display == nullptr) return;
  endFaultsAfterLostConnection(
      ConnectionNumber(display),
      std::string("halvenrode: lost the connection to the X server ") + DisplayString(display));
}
