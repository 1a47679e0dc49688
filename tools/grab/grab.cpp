// halvenrode-grab OUT.png [WINDOW-ID]
// Reads the pixels of an X window (decimal or 0x-hex id; the root window by
// default) on $DISPLAY and writes them as an RGBA PNG.
//
// halvenrode-grab --cursor
// Prints "visible" or "hidden" for the pointer's current cursor image
// (hidden: every pixel fully transparent).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <cstring>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/png_file.h"
#include "platform/standard_streams.h"

namespace {

// Bits of one channel for a visual mask, scaled to 0..255.
uint8_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  unsigned long max = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

bool cursorIsHidden(Display* display) {
  XFixesCursorImage* cursor = XFixesGetCursorImage(display);
  if (cursor == nullptr) return false;
  bool hidden = true;
  for (size_t i = 0; i < static_cast<size_t>(cursor->width) * cursor->height; ++i) {
    if ((cursor->pixels[i] >> 24) != 0) hidden = false;
  }
  XFree(cursor);
  return hidden;
}

// One run of the program, as described at the top; returns its exit status.
int grab(int argc, char** argv) {
  // Any other word with a leading dash is a mistaken option, not a file
  // name to write the screen to.
  if (argc < 2 || (argv[1][0] == '-' && std::strcmp(argv[1], "--cursor") != 0)) {
    std::fprintf(stderr, "usage: halvenrode-grab OUT.png [WINDOW-ID] | --cursor\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "halvenrode-grab: cannot open the X display\n");
    return 1;
  }
  if (std::strcmp(argv[1], "--cursor") == 0) {
    bool hidden = cursorIsHidden(display);
    std::puts(hidden ? "hidden" : "visible");
    XCloseDisplay(display);
    return 0;
  }
  Window window = argc > 2 ? std::strtoul(argv[2], nullptr, 0) : DefaultRootWindow(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) {
    std::fprintf(stderr, "halvenrode-grab: no such window\n");
    return 1;
  }
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "halvenrode-grab: the window's pixels cannot be read\n");
    return 1;
  }
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 4);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      unsigned long p = XGetPixel(image, x, y);
      pixels.push_back(channel(p, image->red_mask));
      pixels.push_back(channel(p, image->green_mask));
      pixels.push_back(channel(p, image->blue_mask));
      pixels.push_back(255);
    }
  }
  bool written = writePngRgba(argv[1], image->width, image->height, pixels, false);
  XDestroyImage(image);
  XCloseDisplay(display);
  if (!written) {
    std::fprintf(stderr, "halvenrode-grab: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

}  // namespace

// Tests read the cursor's state from standard output; one that could not be
// written there must not pass for a result.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  return finishStandardOutput("halvenrode-grab", grab(argc, argv));
}
