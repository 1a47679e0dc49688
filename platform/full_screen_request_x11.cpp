#include "platform/full_screen_request.h"

#include <X11/Xlib.h>

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
