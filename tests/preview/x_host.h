#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

// The test's side of the X connection, standing in for the screen-saver
// host: it owns top-level windows, looks at their children and reads
// their pixels back with XGetImage.
class XHost {
 public:
  explicit XHost(const std::string& display);
  ~XHost();
  XHost(const XHost&) = delete;
  XHost& operator=(const XHost&) = delete;

  bool connected() const { return display_ != nullptr; }

  // A mapped top-level window with a white background, so any part that a
  // child leaves unpainted shows.
  Window createWindow(int x, int y, int width, int height);
  void destroyWindow(Window window);
  void mapWindow(Window window);
  void unmapWindow(Window window);

  // A viewable top-level window whose title is `title`; 0 when none.
  Window findTopLevel(const std::string& title);
  // Gives the keyboard focus to the window (no window manager runs).
  void focus(Window window);

  // The first child of `parent` that is mapped and viewable; 0 when none.
  Window viewableChild(Window parent);
  // Position and size of a window inside its parent; false when it is gone.
  bool geometry(Window window, int& x, int& y, int& width, int& height);
  // The pixels of an area of the window, from (x, y), as 0xRRGGBB, top row
  // first; empty when unreadable. Parts hidden by other windows read as
  // undefined, so read the root window to see what the screen shows.
  std::vector<uint32_t> readPixels(Window window, int width, int height, int x = 0, int y = 0);
  Window rootWindow() const { return DefaultRootWindow(display_); }

 private:
  Display* display_ = nullptr;
};
