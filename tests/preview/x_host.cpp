#include "x_host.h"

#include <X11/Xutil.h>

namespace {

// The host reads windows that may vanish under it (that is what the tests
// do to the preview); such errors are expected, not fatal.
int ignoreError(Display*, XErrorEvent*) { return 0; }

uint32_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  unsigned long maximum = mask >> shift;
  return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / maximum);
}

}  // namespace

XHost::XHost(const std::string& display) {
  display_ = XOpenDisplay(display.c_str());
  XSetErrorHandler(ignoreError);
}

XHost::~XHost() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

Window XHost::createWindow(int x, int y, int width, int height) {
  XSetWindowAttributes attributes;
  attributes.background_pixel = WhitePixel(display_, DefaultScreen(display_));
  // No window manager runs; override-redirect keeps the position exact.
  attributes.override_redirect = True;
  Window window = XCreateWindow(display_, DefaultRootWindow(display_), x, y,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                CopyFromParent, InputOutput, CopyFromParent,
                                CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(display_, window);
  XSync(display_, False);
  return window;
}

void XHost::destroyWindow(Window window) {
  XDestroyWindow(display_, window);
  XSync(display_, False);
}

void XHost::mapWindow(Window window) {
  XMapRaised(display_, window);
  XSync(display_, False);
}

void XHost::unmapWindow(Window window) {
  XUnmapWindow(display_, window);
  XSync(display_, False);
}

Window XHost::viewableChild(Window parent) {
  Window root = 0, parentOfParent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display_, parent, &root, &parentOfParent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found = children[i];
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

Window XHost::findTopLevel(const std::string& title) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    return 0;
  }
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display_, children[i], &name) && name != nullptr && title == name &&
        XGetWindowAttributes(display_, children[i], &attributes) &&
        attributes.map_state == IsViewable) {
      found = children[i];
    }
    if (name != nullptr) XFree(name);
  }
  if (children != nullptr) XFree(children);
  return found;
}

void XHost::focus(Window window) {
  XSetInputFocus(display_, window, RevertToParent, CurrentTime);
  XSync(display_, False);
}

bool XHost::geometry(Window window, int& x, int& y, int& width, int& height) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes)) return false;
  x = attributes.x;
  y = attributes.y;
  width = attributes.width;
  height = attributes.height;
  return true;
}

std::vector<uint32_t> XHost::readPixels(Window window, int width, int height, int x, int y) {
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display_, window, x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      unsigned long p = XGetPixel(image, column, row);
      pixels.push_back(channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 |
                       channel(p, image->blue_mask));
    }
  }
  XDestroyImage(image);
  return pixels;
}
