// A stand-in for a screen-saver host: maps a white top-level window of the
// given size at (40, 30), prints its id in hex and keeps it until killed.
// With "grab", it also takes the keyboard and pointer grabs and holds them,
// as a locked screen or an open menu of another program would.
//   e2e_host_window WIDTH HEIGHT [grab]
// With "keyboard-taken" alone, it only says through its status whether
// another client holds the keyboard grab (0) or not (1), as a full-screen
// saver does once it is ready for keys.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standard_streams.h"

namespace {

int keyboardTaken() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                             GrabModeAsync, CurrentTime);
  if (result == GrabSuccess) XUngrabKeyboard(display, CurrentTime);
  XCloseDisplay(display);
  return result == AlreadyGrabbed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  if (argc == 2 && std::strcmp(argv[1], "keyboard-taken") == 0) return keyboardTaken();
  int width = argc > 2 ? std::atoi(argv[1]) : 320;
  int height = argc > 2 ? std::atoi(argv[2]) : 240;
  bool grab = argc > 3 && std::strcmp(argv[3], "grab") == 0;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  int screen = DefaultScreen(display);
  Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 30,
                                      static_cast<unsigned>(width), static_cast<unsigned>(height),
                                      0, BlackPixel(display, screen), WhitePixel(display, screen));
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify);
  if (grab) {
    if (XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) !=
            GrabSuccess ||
        XGrabPointer(display, window, False, 0, GrabModeAsync, GrabModeAsync, None, None,
                     CurrentTime) != GrabSuccess) {
      return 1;
    }
    XSync(display, False);
  }
  std::printf("0x%lx\n", window);
  std::fflush(stdout);
  for (;;) pause();
}
