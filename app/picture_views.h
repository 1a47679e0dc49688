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

// The pictures a full-screen window of `width` x `height` shows: one per
// monitor, each its monitor's part of the window, in the monitors' order
// (the primary first). Monitors outside the window are left out, mirrored
// ones drawn once; a window
// that does not cover the whole screen (a display mode smaller than the
// screen) is one picture, and so is a single monitor.
std::vector<PictureView> viewsForMonitors(const std::vector<Monitor>& monitors,
                                          const ScreenRect& screen, int width, int height,
                                          OverlayMonitors overlays);
