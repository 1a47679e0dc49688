#include "app/picture_views.h"

#include <algorithm>

PictureView wholeWindow(int width, int height) { return {0, 0, width, height, true}; }

namespace {

// The monitor's part of a window at the screen's top left, turned upside
// down into GL's coordinates; empty when it lies outside.
PictureView monitorPart(const ScreenRect& area, int width, int height) {
  int left = std::max(area.x, 0);
  int top = std::max(area.y, 0);
  int right = std::min(area.x + area.width, width);
  int bottom = std::min(area.y + area.height, height);
  if (right <= left || bottom <= top) return {0, 0, 0, 0, false};
  return {left, height - bottom, right - left, bottom - top, true};
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
                                          const ScreenRect& screen, int width, int height,
                                          OverlayMonitors overlays) {
  bool coversScreen = width == screen.width && height == screen.height;
  if (!coversScreen || monitors.size() < 2) return {wholeWindow(width, height)};
  std::vector<PictureView> views;
  for (const Monitor& monitor : monitors) {
    PictureView view = monitorPart(monitor.area, width, height);
    if (view.width == 0 || alreadyShown(views, view)) continue;
    view.overlays = overlays == OverlayMonitors::Every || views.empty();
    views.push_back(view);
  }
  if (views.empty()) return {wholeWindow(width, height)};
  return views;
}
