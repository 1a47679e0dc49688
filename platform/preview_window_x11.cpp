#include "platform/preview_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// X resource ids use 29 bits; anything outside cannot name a window.
constexpr int64_t kLargestWindowId = 0x1FFFFFFF;

// Xlib reports protocol errors to one process-wide handler whose default
// ends the process. Here a bad or vanished host window is an expected
// event, so the handler only records the error and the code that cares
// checks it after a round trip to the server.
int lastErrorCode = 0;

int recordError(Display*, XErrorEvent* error) {
  lastErrorCode = error->error_code;
  return 0;
}

// A lost server connection takes the host with it: the preview has nothing
// left to paint, so it ends like a destroyed window.
int connectionLost(Display*) {
  std::fputs("halvenrode: the preview lost its display connection\n", stderr);
  std::_Exit(0);
}

// Whether every request so far went through without an error.
bool requestsSucceeded(Display* display) {
  XSync(display, False);
  return lastErrorCode == 0;
}

// One 8-bit channel placed into a visual's colour mask.
unsigned long placeChannel(uint32_t value8, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  unsigned long maximum = mask >> shift;
  return ((value8 * maximum + 127) / 255) << shift;
}

unsigned long pixelValue(uint32_t rgb, const Visual* visual) {
  return placeChannel((rgb >> 16) & 0xFF, visual->red_mask) |
         placeChannel((rgb >> 8) & 0xFF, visual->green_mask) |
         placeChannel(rgb & 0xFF, visual->blue_mask);
}

struct ChildWindow {
  Display* display = nullptr;
  Window window = 0;
  Visual* visual = nullptr;
  int depth = 0;
  int width = 0;
  int height = 0;
  GC gc = nullptr;
  unsigned long black = 0;
};

// Puts the picture's pixels at the top left in one image transfer.
void putPicture(const ChildWindow& child, const PreviewPicture& picture, int width, int height) {
  XImage* image = XCreateImage(child.display, child.visual, static_cast<unsigned>(child.depth),
                               ZPixmap, 0, nullptr, static_cast<unsigned>(width),
                               static_cast<unsigned>(height), 32, 0);
  if (image == nullptr) return;
  image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) *
                                               static_cast<size_t>(height)));
  if (image->data == nullptr) {
    XDestroyImage(image);
    return;
  }
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = &picture.pixels[static_cast<size_t>(y) * picture.width];
    for (int x = 0; x < width; ++x) XPutPixel(image, x, y, pixelValue(row[x], child.visual));
  }
  XPutImage(child.display, child.window, child.gc, image, 0, 0, 0, 0,
            static_cast<unsigned>(width), static_cast<unsigned>(height));
  XDestroyImage(image);  // frees the pixel data as well
}

// The picture clipped by the window, black everywhere else. Only the area
// outside the picture is filled, so a repaint does not flash black.
void paint(const ChildWindow& child, const PreviewPicture& picture) {
  bool complete = picture.width > 0 && picture.height > 0 &&
                  picture.pixels.size() >= static_cast<size_t>(picture.width) * picture.height;
  int shownWidth = complete ? std::min(picture.width, child.width) : 0;
  int shownHeight = complete ? std::min(picture.height, child.height) : 0;
  XSetForeground(child.display, child.gc, child.black);
  if (shownWidth < child.width) {
    XFillRectangle(child.display, child.window, child.gc, shownWidth, 0,
                   static_cast<unsigned>(child.width - shownWidth),
                   static_cast<unsigned>(child.height));
  }
  if (shownHeight < child.height && shownWidth > 0) {
    XFillRectangle(child.display, child.window, child.gc, 0, shownHeight,
                   static_cast<unsigned>(shownWidth),
                   static_cast<unsigned>(child.height - shownHeight));
  }
  if (shownWidth > 0 && shownHeight > 0) putPicture(child, picture, shownWidth, shownHeight);
  XFlush(child.display);
}

// A child window of the parent's size at (0, 0), told about its own
// exposure and destruction. Destroyed stands for success here.
PreviewWindowEnd createChild(Display* display, Window parent, ChildWindow& child,
                             std::string& problem) {
  XWindowAttributes parentAttributes;
  if (!XGetWindowAttributes(display, parent, &parentAttributes) || !requestsSucceeded(display)) {
    problem = "the host window " + std::to_string(parent) + " does not exist";
    return PreviewWindowEnd::NoSuchParent;
  }
  child.display = display;
  child.visual = parentAttributes.visual;
  child.depth = parentAttributes.depth;
  child.width = parentAttributes.width;
  child.height = parentAttributes.height;
  // Black is pixel value 0 on the true-colour visuals the preview paints.
  child.black = parentAttributes.visual == DefaultVisualOfScreen(parentAttributes.screen)
                    ? BlackPixelOfScreen(parentAttributes.screen)
                    : 0;
  XSetWindowAttributes attributes;
  attributes.background_pixel = child.black;
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  child.window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(child.width),
                               static_cast<unsigned>(child.height), 0, CopyFromParent,
                               InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                               &attributes);
  XMapWindow(display, child.window);
  if (!requestsSucceeded(display)) {
    problem = "the preview window could not be created in the host window " +
              std::to_string(parent);
    return PreviewWindowEnd::Failed;
  }
  child.gc = XCreateGC(display, child.window, 0, nullptr);
  return PreviewWindowEnd::Destroyed;
}

// Paints on every completed exposure until the child is destroyed.
void serve(const ChildWindow& child, const PreviewPainter& painter) {
  for (;;) {
    XEvent event;
    XNextEvent(child.display, &event);
    if (event.type == DestroyNotify && event.xdestroywindow.window == child.window) return;
    if (event.type == Expose && event.xexpose.window == child.window && event.xexpose.count == 0) {
      lastErrorCode = 0;  // a paint racing the host's teardown fails harmlessly
      paint(child, painter(child.width, child.height));
    }
  }
}

}  // namespace

PreviewWindowEnd runPreviewWindow(int64_t parentWindow, const PreviewPainter& painter,
                                  std::string& problem) {
  if (parentWindow <= 0 || parentWindow > kLargestWindowId) {
    problem = "the host window " + std::to_string(parentWindow) + " does not exist";
    return PreviewWindowEnd::NoSuchParent;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    problem = "the display cannot be opened";
    return PreviewWindowEnd::NoDisplay;
  }
  XSetErrorHandler(recordError);
  XSetIOErrorHandler(connectionLost);
  lastErrorCode = 0;
  ChildWindow child;
  PreviewWindowEnd end = createChild(display, static_cast<Window>(parentWindow), child, problem);
  if (end == PreviewWindowEnd::Destroyed) {
    serve(child, painter);
    XFreeGC(display, child.gc);
  }
  XCloseDisplay(display);
  return end;
}
