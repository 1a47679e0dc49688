#include "platform/desktop_watch.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

// Requests about windows that another client may change or take down at
// any moment (SDL owns them): a failure is not worth ending the process
// over, so errors are swallowed while one of these lives.
class IgnoredXErrors {
 public:
  explicit IgnoredXErrors(Display* display)
      : display_(display), previous_(XSetErrorHandler(ignore)) {}
  ~IgnoredXErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoredXErrors(const IgnoredXErrors&) = delete;
  IgnoredXErrors& operator=(const IgnoredXErrors&) = delete;

 private:
  static int ignore(Display*, XErrorEvent*) { return 0; }
  Display* display_;
  XErrorHandler previous_;
};

bool sameRect(const ScreenRect& a, const ScreenRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool sameMonitors(const std::vector<Monitor>& a, const std::vector<Monitor>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!sameRect(a[i].area, b[i].area) || a[i].primary != b[i].primary) return false;
  }
  return true;
}

bool sameLayout(const DesktopLayout& a, const DesktopLayout& b) {
  return sameRect(a.window, b.window) && sameRect(a.monitors.screen, b.monitors.screen) &&
         sameMonitors(a.monitors.randr, b.monitors.randr) &&
         sameMonitors(a.monitors.xinerama, b.monitors.xinerama);
}

ScreenRect rootArea(Display* display) {
  XWindowAttributes root;
  if (XGetWindowAttributes(display, DefaultRootWindow(display), &root) == 0) return {};
  return {0, 0, root.width, root.height};
}

// The window's place on the screen, whoever its parents are (a window
// manager's frame, SDL's own full-screen window).
ScreenRect placeOf(Display* display, Window window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return {};
  int x = 0;
  int y = 0;
  Window child = None;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

bool unmanaged(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.override_redirect;
}

// A window at the screen's corner at least as large as `screen`.
bool covers(const ScreenRect& window, const ScreenRect& screen) {
  return window.x <= 0 && window.y <= 0 && window.x + window.width >= screen.width &&
         window.y + window.height >= screen.height;
}

// The container that holds the drawing window, or the drawing window
// itself when it has none of them as its parent.
Window topLevelOf(Display* display, const FullScreenWindows& windows) {
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, windows.drawing, &root, &parent, &children, &count) == 0) {
    return windows.drawing;
  }
  if (children != nullptr) XFree(children);
  for (unsigned long container : windows.containers) {
    if (container != 0 && container == parent) return parent;
  }
  return windows.drawing;
}

// Some servers take the outputs' new sizes only when a client asks for the
// outputs (a nested server resized by its host, with a window manager
// running): the full query makes them look, and costs a probe of the
// outputs, so it is made only when the screen has changed size.
void probeOutputs(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return;
  XRRScreenResources* resources = XRRGetScreenResources(display, DefaultRootWindow(display));
  if (resources != nullptr) XRRFreeScreenResources(resources);
}

void takeFocus(Display* display, Window window) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
}

}  // namespace

bool DesktopWatch::open(const FullScreenWindows& windows, bool keepFocus) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  display_ = display;
  IgnoredXErrors errors(display);
  drawing_ = windows.drawing;
  topLevel_ = topLevelOf(display, windows);
  keepFocus_ = keepFocus;
  Window root = DefaultRootWindow(display);
  // The root window's own size changes tell of a new screen size on every
  // server; RandR's notices also of monitors added, removed or moved, and
  // of outputs that take their new size after the screen took its own.
  XSelectInput(display, root, StructureNotifyMask);
  int eventBase = 0;
  int errorBase = 0;
  if (XRRQueryExtension(display, &eventBase, &errorBase)) {
    XRRSelectInput(display, root,
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  }
  XSelectInput(display, topLevel_, StructureNotifyMask);
  XSelectInput(display, drawing_, StructureNotifyMask | (keepFocus ? FocusChangeMask : 0));
  if (keepFocus) takeFocus(display, drawing_);
  return true;
}

DesktopWatch::~DesktopWatch() {
  if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
}

bool DesktopWatch::poll(DesktopLayout& layout) {
  Display* display = static_cast<Display*>(display_);
  if (display == nullptr) return false;
  bool changed = !reported_;
  bool focusLost = false;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    XRRUpdateConfiguration(&event);
    if (event.type == FocusOut) {
      // Moves of the focus among our own windows, or the pointer's, are no
      // loss; a grab starting or ending is the keyboard's owner at work.
      focusLost = focusLost || (event.xfocus.mode != NotifyGrab && event.xfocus.mode != NotifyUngrab &&
                                event.xfocus.detail != NotifyInferior &&
                                event.xfocus.detail != NotifyPointer);
    } else {
      changed = true;
    }
  }
  IgnoredXErrors errors(display);
  if (focusLost && keepFocus_) takeFocus(display, drawing_);
  if (!changed) return false;
  DesktopLayout now;
  ScreenRect screen = rootArea(display);
  if (reported_ && !sameRect(screen, last_.monitors.screen)) probeOutputs(display);
  now.monitors = queryMonitors();
  if (screen.width > 0) now.monitors.screen = screen;
  ScreenRect top = placeOf(display, topLevel_);
  if (reported_ && !sameRect(screen, last_.monitors.screen) && covers(top, last_.monitors.screen) &&
      unmanaged(display, topLevel_)) {
    XMoveResizeWindow(display, topLevel_, 0, 0, screen.width, screen.height);
    top = screen;
  }
  if (drawing_ != topLevel_) {
    ScreenRect drawing = placeOf(display, drawing_);
    if (drawing.width != top.width || drawing.height != top.height) {
      XMoveResizeWindow(display, drawing_, 0, 0, top.width, top.height);
    }
  }
  now.window = placeOf(display, drawing_);
  // What was just asked for may not have been carried out yet; the place
  // read after the request is what the server knows now.
  if (reported_ && sameLayout(now, last_)) return false;
  reported_ = true;
  last_ = now;
  layout = now;
  return true;
}
