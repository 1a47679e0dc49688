// A full-screen window over several monitors, with the real archives:
// each monitor shows the picture a window of its own size would, although
// only the first picture of a frame advances the scene.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/picture_views.h"
#include "platform/local_time.h"
#include "tools/still/offscreen_saver.h"

namespace {

// The second monitor smaller and lower on the screen than the primary,
// which the server lists second.
const std::vector<Monitor> kMonitors = {{{320, 80, 256, 160}, false}, {{0, 0, 320, 240}, true}};
const ScreenRect kScreen{0, 0, 576, 240};

std::vector<PictureView> monitorViews(OverlayMonitors overlays) {
  return viewsForMonitors(chooseMonitors({kMonitors, {}, kScreen}), kScreen, overlays);
}

// Six seconds of the scene at dusk in heavy snow on the whole screen, so
// that the lights of the time of day, the flakes and a frame-rate reading
// all show; bottom row first.
std::vector<uint8_t> render(std::vector<PictureView> views, std::vector<std::string> options) {
  OffscreenSaverOptions o;
  o.width = kScreen.width;
  o.height = kScreen.height;
  o.seed = 11;
  o.fixedLocalTime = parseLocalTime("2026-12-15 16:20:00", o.localTime);
  o.views = std::move(views);
  options.insert(options.end(), {"--time-of-day", "--snow=heavy"});
  std::string problem;
  for (size_t at = 0; at < options.size(); ++at) {
    EXPECT_EQ(readSettingOption(options, at, o.overrides, problem), 1) << options[at];
  }
  OffscreenSaver saver(o);
  EXPECT_TRUE(saver.ok());
  for (uint32_t t = 500; t <= 6000; t += 500) saver.frame(t);
  return saver.pixels();
}

std::vector<uint8_t> viewPixels(const std::vector<uint8_t>& picture, const PictureView& view) {
  std::vector<uint8_t> part;
  for (int row = view.y; row < view.y + view.height; ++row) {
    auto start = picture.begin() + (static_cast<std::ptrdiff_t>(row) * kScreen.width + view.x) * 4;
    part.insert(part.end(), start, start + view.width * 4);
  }
  return part;
}

// Pixels further apart than a rounding step.
size_t differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return a.size() + b.size();
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(int(a[i + c]) - int(b[i + c])) > 2) {
        ++differing;
        break;
      }
    }
  }
  return differing;
}

const std::vector<std::string> kOverlays = {"--clock=digital", "--calendar=monday", "--fps"};
const std::vector<std::string> kNoOverlays = {"--clock=none", "--calendar=none", "--no-fps"};

// Each monitor's part is compared with the scene drawn on that part alone:
// the rasteriser rounds a picture's edges a little differently where it
// lies elsewhere in the window.
TEST(MonitorPictures, EachMonitorShowsTheWholePicture) {
  std::vector<PictureView> views = monitorViews(OverlayMonitors::Every);
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views[0].width, 320);  // the primary first
  std::vector<uint8_t> both = render(views, kOverlays);
  for (const PictureView& view : views) {
    std::vector<uint8_t> alone = render({view}, kOverlays);
    EXPECT_EQ(differingPixels(viewPixels(both, view), viewPixels(alone, view)), 0u) << view.x;
  }

  // The overlays on the primary monitor only: the other shows the world.
  std::vector<uint8_t> primaryOnly = render(monitorViews(OverlayMonitors::Primary), kOverlays);
  EXPECT_EQ(differingPixels(viewPixels(primaryOnly, views[0]), viewPixels(both, views[0])), 0u);
  std::vector<uint8_t> world = viewPixels(render({views[1]}, kNoOverlays), views[1]);
  EXPECT_EQ(differingPixels(viewPixels(primaryOnly, views[1]), world), 0u);
  EXPECT_GT(differingPixels(world, viewPixels(both, views[1])), 500u);
}

}  // namespace
