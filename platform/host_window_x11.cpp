#include "platform/host_window.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/stop_signals.h"

// Hosts write ids as "0x…" or in decimal; a leading zero is a decimal one,
// never octal. The digits must start at once: strtoul itself would skip
// blanks and take a sign.
bool parseWindowId(const std::string& text, unsigned long& window) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = text.c_str() + (hex ? 2 : 0);
  if (hex ? !std::isxdigit(static_cast<unsigned char>(*digits))
          : !std::isdigit(static_cast<unsigned char>(*digits))) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  unsigned long value = std::strtoul(digits, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || value == 0) return false;
  window = value;
  return true;
}

namespace {

HostWindowRequest given(const std::string& text, const std::string& source,
                        unsigned long& window, std::string& problem) {
  if (parseWindowId(text, window)) return HostWindowRequest::Given;
  problem = source + " \"" + text + "\" is not a window id";
  return HostWindowRequest::Unusable;
}

}  // namespace

HostWindowRequest findHostWindow(const std::string& commandLine, unsigned long& window,
                                 std::string& problem) {
  std::istringstream words(commandLine);
  std::string word;
  while (words >> word) {
    if (word != "-window-id" && word != "--window-id") continue;
    std::string id;
    if (words >> id) return given(id, word, window, problem);
    problem = word + " needs a window id";
    return HostWindowRequest::Unusable;
  }
  const char* fromHost = std::getenv("XSCREENSAVER_WINDOW");
  if (fromHost == nullptr || fromHost[0] == '\0') return HostWindowRequest::NotAsked;
  return given(fromHost, "XSCREENSAVER_WINDOW", window, problem);
}

namespace {

// Errors of requests about a window that may not exist: the handler below
// records them instead of letting Xlib end the process.
bool hostWindowGone = false;
unsigned long tolerantOf = 0;  // the host window whose loss is tolerated
XErrorHandler earlierHandler = nullptr;
int glxFirstError = -1;  // GLX's first error code on this server, -1 without GLX

// The buffer swap reports a destroyed window through GLX's own errors,
// numbered from GLX's first error: a bad drawable (2), current window (5),
// current drawable (11) or window (12).
bool isGlxWindowError(int code) {
  if (glxFirstError < 0 || code < glxFirstError) return false;
  switch (code - glxFirstError) {
    case 2:
    case 5:
    case 11:
    case 12:
      return true;
    default:
      return false;
  }
}

bool namesAMissingWindow(const XErrorEvent* error) {
  return error->error_code == BadDrawable || error->error_code == BadWindow ||
         isGlxWindowError(error->error_code);
}

int recordLostWindow(Display* display, XErrorEvent* error) {
  if (namesAMissingWindow(error)) {
    hostWindowGone = true;
    // SDL carries on with whatever a failed request left behind (the
    // visual of a window that is gone), so a host that takes its window
    // back during start-up ends the saver as a stop signal then would.
    endIfStillStarting();
    return 0;
  }
  return earlierHandler != nullptr ? earlierHandler(display, error) : 0;
}

void findGlxErrors() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  int opcode = 0;
  int firstEvent = 0;
  int firstError = 0;
  if (XQueryExtension(display, "GLX", &opcode, &firstEvent, &firstError)) glxFirstError = firstError;
  XCloseDisplay(display);
}

int ignoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool hostWindowSize(unsigned long window, int& width, int& height, std::string& problem) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    problem = "cannot be reached: the display cannot be opened";
    return false;
  }
  XErrorHandler previous = XSetErrorHandler(ignoreXError);
  XWindowAttributes attributes;
  bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  if (!ok) {
    problem = "does not exist on this display";
    return false;
  }
  width = attributes.width;
  height = attributes.height;
  return true;
}

bool HostWindowWatch::open(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  display_ = display;
  window_ = window;
  // Several clients may each be told about a window's structure.
  XSelectInput(display, window, StructureNotifyMask);
  XSync(display, False);
  return !hostWindowGone;
}

HostWindowWatch::~HostWindowWatch() {
  if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
}

bool HostWindowWatch::poll(int& width, int& height) {
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr || hostWindowGone) return false;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
      hostWindowGone = true;
    } else if (event.type == ConfigureNotify && event.xconfigure.window == window_) {
      width = event.xconfigure.width;
      height = event.xconfigure.height;
    }
  }
  return !hostWindowGone;
}

bool hostWindowLost() {
  if (tolerantOf == 0) return false;
  for (int tries = 0; tries < 10; ++tries) {
    int width = 0;
    int height = 0;
    std::string problem;
    if (hostWindowGone || !hostWindowSize(tolerantOf, width, height, problem)) return true;
    usleep(100 * 1000);
  }
  return false;
}

void tolerateLostHostWindow(unsigned long window) {
  tolerantOf = window;
  if (glxFirstError < 0) findGlxErrors();
  XErrorHandler previous = XSetErrorHandler(recordLostWindow);
  if (previous != recordLostWindow) earlierHandler = previous;
}
