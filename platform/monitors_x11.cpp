#include "platform/monitors.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <cstring>

namespace {

// Xwayland names each of its RandR monitors after itself; no other
// server does.
bool namedByXwayland(Display* display, Atom name) {
  char* text = XGetAtomName(display, name);
  if (text == nullptr) return false;
  bool xwayland = std::strncmp(text, "XWAYLAND", 8) == 0;
  XFree(text);
  return xwayland;
}

std::vector<Monitor> randrMonitors(Display* display, bool& xwayland) {
  std::vector<Monitor> monitors;
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105) {
    return monitors;
  }
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  if (info == nullptr) return monitors;
  for (int i = 0; i < count; ++i) {
    monitors.push_back({{info[i].x, info[i].y, info[i].width, info[i].height}, info[i].primary != 0});
    if (info[i].name != None && namedByXwayland(display, info[i].name)) xwayland = true;
  }
  XRRFreeMonitors(info);
  return monitors;
}

std::vector<Monitor> xineramaHeads(Display* display) {
  std::vector<Monitor> heads;
  int eventBase = 0;
  int errorBase = 0;
  if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
    return heads;
  }
  int count = 0;
  XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
  if (info == nullptr) return heads;
  for (int i = 0; i < count; ++i) {
    heads.push_back({{info[i].x_org, info[i].y_org, info[i].width, info[i].height}, false});
  }
  XFree(info);
  return heads;
}

}  // namespace

MonitorReports queryMonitors() {
  MonitorReports reports;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return reports;
  reports.randr = randrMonitors(display, reports.xwayland);
  reports.xinerama = xineramaHeads(display);
  int screen = DefaultScreen(display);
  reports.screen = {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  XCloseDisplay(display);
  return reports;
}
