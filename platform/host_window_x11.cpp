#include "platform/host_window.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

bool parseWindowId(const std::string& text, unsigned long& window) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != '\0' || value == 0) return false;
  window = value;
  return true;
}

bool findHostWindow(const std::string& commandLine, unsigned long& window) {
  std::istringstream words(commandLine);
  std::string word;
  while (words >> word) {
    if (word == "-window-id" || word == "--window-id") {
      std::string id;
      return (words >> id) && parseWindowId(id, window);
    }
  }
  const char* fromHost = std::getenv("XSCREENSAVER_WINDOW");
  return fromHost != nullptr && parseWindowId(fromHost, window);
}

namespace {

// A window id that does not exist raises BadWindow; report it as a failed
// query instead of letting Xlib end the process.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool hostWindowSize(unsigned long window, int& width, int& height) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XErrorHandler previous = XSetErrorHandler(ignoreXError);
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  if (!ok) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}
