#include "app/picture_views.h"

#include <algorithm>

PictureView wholeWindow(int width, int height) { return {0, 0, width, height, true}; }

namespace {

// The part of the window a monitor shows, in GL's coordinates of the window
// (origin at its bottom left); empty when the two do not meet.
PictureView monitorPart(const ScreenRect& area, const ScreenRect& window) {
  int left = std::max(area.x, window.x);
  int top = std::max(area.y, window.y);
  int right = std::min(area.x + area.width, window.x + window.width);
  int bottom = std::min(area.y + area.height, window.y + window.height);
  if (right <= left || bottom <= top) return {0, 0, 0, 0, false};
  return {left - window.x, window.y + window.height - bottom, right - left, bottom - top, true};
}

bool sameArea(const PictureView& a, const PictureView& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Mirrored monitors show one picture, drawn once.
bool alreadyShown(const std::vector<PictureView>& views, const PictureView& view) {
  return std::any_of(views.begin(), views.end(),
                     [&](const PictureView& shown) { return sameArea(shown, view); });
}

}  // namespace

std::vector<PictureView> viewsForMonitors(const std::vector<Monitor>& monitors,
                                          const ScreenRect& window, OverlayMonitors overlays) {
  std::vector<PictureView> views;
  for (const Monitor& monitor : monitors) {
    PictureView view = monitorPart(monitor.area, window);
    if (view.width == 0 || alreadyShown(views, view)) continue;
    view.overlays = overlays == OverlayMonitors::Every || views.empty();
    views.push_back(view);
  }
  if (views.empty()) return {wholeWindow(window.width, window.height)};
  return views;
}
