#pragma once
#include <vector>

#include "platform/monitors.h"

// One picture of the scene in the window: a rectangle in GL's window
// coordinates (origin at the bottom left), and whether the overlays are
// drawn on it.
struct PictureView {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool overlays = true;
};

// Where the clock, calendar and frame-rate counter go when several
// monitors each show the scene.
enum class OverlayMonitors { Every, Primary };

// The whole window of `width` x `height` as one picture.
PictureView wholeWindow(int width, int height);

// The pictures a full-screen window at `window` (its place and size on the
// screen) shows: one per monitor, each the monitor's part of the window, in
// the monitors' order (the primary first). Monitors the window does not
// reach are left out and mirrored ones drawn once, so a window on one
// monitor (a display mode smaller than the screen, or a window manager
// that kept it there) is one picture of its own shape. With no monitor in
// the window at all, the whole window is one picture.
std::vector<PictureView> viewsForMonitors(const std::vector<Monitor>& monitors,
                                          const ScreenRect& window, OverlayMonitors overlays);
