#pragma once
#include "platform/monitors.h"

// The X windows of a full-screen run: `drawing` is the one the picture is
// drawn into; `containers` are the other windows the library made for it
// (0 where none), one of which may hold the drawing window as the
// top-level window that the screen and any window manager see.
struct FullScreenWindows {
  unsigned long drawing = 0;
  unsigned long containers[2] = {0, 0};
};

// What the pictures of a full-screen run are laid out for: the drawing
// window's real place and size on the screen, and the monitors.
struct DesktopLayout {
  ScreenRect window;
  MonitorReports monitors;
};

// Follows the screen, its monitors and the run's own window over a display
// connection of its own, since whatever SDL asked for, a window manager,
// a docked laptop or a turned monitor decides what the window really
// covers.
class DesktopWatch {
 public:
  // Starts following `windows`. With `keepFocus` the drawing window takes
  // the keyboard focus now and again whenever it loses it: no window
  // manager gives the focus to a window it does not manage, and SDL 2
  // takes the keyboard only for a window with the focus. False when the
  // display cannot be opened.
  bool open(const FullScreenWindows& windows, bool keepFocus);
  ~DesktopWatch();

  // Takes in what happened since the last call. When the screen changed
  // size, a top-level window that no window manager manages and that
  // covered the old screen is made to cover the new one; a drawing window
  // inside a top-level one is kept at its size. True, with `layout` set,
  // on the first call and whenever the layout differs from the one last
  // reported.
  bool poll(DesktopLayout& layout);

 private:
  void* display_ = nullptr;
  unsigned long topLevel_ = 0;
  unsigned long drawing_ = 0;
  bool keepFocus_ = false;
  bool reported_ = false;
  DesktopLayout last_;
};
