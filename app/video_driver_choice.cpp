#include "app/video_driver_choice.h"

#include <SDL/SDL.h>

#include <cstdlib>

namespace {

// The SDL 1.2 interface built on SDL 2 reports 1.2.50 and later; the
// classic library's last release is 1.2.15.
constexpr int kFirstPatchOnSdl2 = 50;

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

bool nativeWaylandWanted(const VideoSurroundings& surroundings) {
  return !surroundings.userChoseDriver && !surroundings.hostWindow &&
         surroundings.waylandSession && surroundings.sdlOnSdl2;
}

std::string chooseVideoDriver(const VideoSurroundings& surroundings) {
  if (surroundings.userChoseDriver) return "";
  if (nativeWaylandWanted(surroundings) && surroundings.waylandVideoStarts) return "wayland,x11";
  return "x11";
}

// A Wayland compositor shows its own windows, and Xwayland's managed ones,
// full screen on their output, whatever the library.
FullScreenWindow chooseFullScreenWindow(const VideoSurroundings& surroundings) {
  if (surroundings.hostWindow) return FullScreenWindow::BySdl;
  if (!surroundings.sdlOnSdl2) {
    return surroundings.xwayland ? FullScreenWindow::ByWindowManager : FullScreenWindow::BySdl;
  }
  if (surroundings.xwayland || surroundings.waylandSession) return FullScreenWindow::BySdl;
  return FullScreenWindow::Unmanaged;
}

VideoSurroundings readVideoSurroundings(bool hostWindow) {
  VideoSurroundings surroundings;
  surroundings.userChoseDriver = std::getenv("SDL_VIDEODRIVER") != nullptr;
  surroundings.hostWindow = hostWindow;
  surroundings.waylandSession = isSet("WAYLAND_DISPLAY");
  surroundings.sdlOnSdl2 = SDL_Linked_Version()->patch >= kFirstPatchOnSdl2;
  return surroundings;
}
