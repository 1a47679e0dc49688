#include "platform/full_screen_request.h"

#include <X11/Xlib.h>

#include <cstring>

namespace {

// The window manager's protocol numbers for a change of window state.
constexpr long kAddState = 1;
constexpr long kFromApplication = 1;

}  // namespace

// A mapped window's state changes only through a message to the root
// window, which the window manager receives; a connection of our own sends
// it as well as SDL's would.
bool askForFullScreen(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = kAddState;
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
  event.xclient.data.l[3] = kFromApplication;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XCloseDisplay(display);
  return true;
}

bool nameWindow(unsigned long window, const char* name) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XStoreName(display, window, name);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(name), static_cast<int>(std::strlen(name)));
  XCloseDisplay(display);
  return true;
}
