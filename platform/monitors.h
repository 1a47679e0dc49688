#pragma once
#include <vector>

// A rectangle of the X screen in pixels, origin at the top left.
struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct Monitor {
  ScreenRect area;
  bool primary = false;
};

// What the X server says about its monitors, each source empty when it
// does not answer.
struct MonitorReports {
  std::vector<Monitor> randr;     // RandR 1.5 monitors
  std::vector<Monitor> xinerama;  // Xinerama heads
  ScreenRect screen;              // the whole screen
  bool xwayland = false;          // a Wayland compositor's X server, whose
                                  // monitors are named XWAYLAND0, XWAYLAND1…
};

// The monitors to draw a picture on each: RandR's when it lists any, since
// it knows which is primary and follows the user's own monitor layout. A
// server running real Xinerama over several screens leaves RandR to
// describe its first screen only, so Xinerama's heads are taken when they
// are more. Without either, the whole screen is one monitor. The primary
// monitor (or else the first) comes first in the list.
std::vector<Monitor> chooseMonitors(const MonitorReports& reports);

// The reports of the X server on $DISPLAY; `screen` is 0 x 0 when the
// display cannot be opened.
MonitorReports queryMonitors();
