#include "app/renderer_probe.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>

#include <cstring>

namespace {

constexpr int kRendererDeviceId = 0x8184;  // GLX_RENDERER_DEVICE_ID_MESA

using QueryExtensions = const char* (*)(Display*, int screen);
using QueryRendererString = const char* (*)(Display*, int screen, int renderer, int attribute);

}  // namespace

// The query runs on SDL's own display connection: the driver it loads and
// the screen it sets up there are the ones SDL's context then uses, so the
// answer costs little of the start.
std::string rendererBeforeContext() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return "";
  Display* display = info.info.x11.display;
  if (display == nullptr || SDL_GL_LoadLibrary(nullptr) != 0) return "";
  // Asking for the extensions sets up GLX on the display; the renderer
  // query answers nothing before that.
  auto extensions = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
  auto query = reinterpret_cast<QueryRendererString>(
      SDL_GL_GetProcAddress("glXQueryRendererStringMESA"));
  if (extensions == nullptr || query == nullptr) return "";
  int screen = DefaultScreen(display);
  const char* names = extensions(display, screen);
  if (names == nullptr || std::strstr(names, "GLX_MESA_query_renderer") == nullptr) return "";
  const char* name = query(display, screen, 0, kRendererDeviceId);
  return name != nullptr ? name : "";
}
