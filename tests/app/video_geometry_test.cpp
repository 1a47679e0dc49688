#include <gtest/gtest.h>

#include <utility>

#include "app/multisample_choice.h"
#include "app/picture_views.h"
#include "app/video_context.h"
#include "tests/support/gl_test_context.h"

namespace {

class VideoGeometryTest : public GlTest {};

TEST_F(VideoGeometryTest, EdgesFollowTheFixedCamera) {
  std::unique_ptr<VideoContext> video(VideoContext::forCurrentContext(1024, 768));
  EXPECT_NEAR(video->edgeX(-100), -55.23, 0.01);
  EXPECT_NEAR(video->edgeY(-100), -41.42, 0.01);
  EXPECT_NEAR(video->edgeX(-200), 2 * video->edgeX(-100), 1e-9);
  EXPECT_GT(video->edgeX(100), 0);
}

// A height of 0 is taken as 1, and only 0 is: the picture's aspect for
// heights 0, 1 and 2.
TEST_F(VideoGeometryTest, ZeroHeightCountsAsOne) {
  for (auto [height, aspect] : {std::pair{0, 64.0}, std::pair{1, 64.0}, std::pair{2, 32.0}}) {
    std::unique_ptr<VideoContext> video(VideoContext::forCurrentContext(64, height));
    EXPECT_NEAR(video->edgeX(-100) / video->edgeY(-100), aspect, 1e-3) << height;
  }
}

TEST(MultisampleChoice, SoftwareRenderersGoWithoutUnlessTheUserChose) {
  struct Case {
    const char* setting;
    const char* renderer;
    bool kept;
  };
  const Case cases[] = {
      {nullptr, "llvmpipe (LLVM 15.0.6, 256 bits)", false},
      {nullptr, "softpipe", false},
      {nullptr, "Mesa DRI swrast", false},
      {nullptr, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", true},
      {nullptr, "", true},
      {"", "llvmpipe (LLVM 15.0.6, 256 bits)", false},
      {"maybe", "llvmpipe (LLVM 15.0.6, 256 bits)", false},
      {"on", "llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"ON", "softpipe", true},
      {"1", "softpipe", true},
      {"off", "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", false},
      {"0", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
  };
  for (const Case& c : cases) {
    bool asked = false;
    auto renderer = [&] {
      asked = true;
      return std::string(c.renderer);
    };
    EXPECT_EQ(wantsMultisampling(multisampleRequestFrom(c.setting), renderer), c.kept)
        << (c.setting ? c.setting : "(unset)") << " / " << c.renderer;
    // A choice the user made needs no renderer probe.
    EXPECT_EQ(asked, multisampleRequestFrom(c.setting) == MultisampleRequest::Auto);
  }
}

}  // namespace

namespace {

struct Rect {
  int x, y, width, height;
};

std::vector<Rect> rectsOf(const std::vector<PictureView>& views) {
  std::vector<Rect> rects;
  for (const PictureView& view : views) rects.push_back({view.x, view.y, view.width, view.height});
  return rects;
}

bool operator==(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

// Which monitors get a picture, and where in GL's window coordinates
// (origin bottom left) each lies, for the window where it really is.
TEST(PictureViews, OnePicturePerMonitorInsideTheWindow) {
  const ScreenRect wide{0, 0, 3840, 1080};
  const Monitor left{{0, 0, 1920, 1080}, false}, right{{1920, 0, 1920, 1080}, true};
  const Monitor whole{{0, 0, 3840, 1080}, false};
  const Monitor head0{{0, 0, 1920, 1080}, false}, head1{{1920, 0, 1920, 1080}, false};
  struct Case {
    const char* what;
    MonitorReports reports;
    ScreenRect window;
    std::vector<Rect> expected;
  };
  const Case cases[] = {
      {"the primary first", {{left, right}, {}, wide}, wide,
       {{1920, 0, 1920, 1080}, {0, 0, 1920, 1080}}},
      {"Xinerama's heads where RandR sees one screen", {{whole}, {head0, head1}, wide}, wide,
       {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}},
      {"a lower, shorter monitor counts from the bottom",
       {{{{0, 0, 1920, 1200}, true}, {{1920, 400, 1280, 800}, false}}, {}, {0, 0, 3200, 1200}},
       {0, 0, 3200, 1200}, {{0, 0, 1920, 1200}, {1920, 0, 1280, 800}}},
      {"mirrored monitors drawn once", {{left, left, right}, {}, wide}, wide,
       {{1920, 0, 1920, 1080}, {0, 0, 1920, 1080}}},
      {"a monitor partly beyond the screen is clipped, one wholly beyond is left out",
       {{left, {{1920, 0, 2560, 1440}, false}, {{3840, 0, 800, 600}, false}}, {}, wide}, wide,
       {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}},
      {"no monitor reported: the whole screen", {{}, {}, wide}, wide, {{0, 0, 3840, 1080}}},
      {"a display mode smaller than the screen: one picture", {{left, right}, {}, wide},
       {0, 0, 1024, 768}, {{0, 0, 1024, 768}}},
      {"a window kept on one monitor: that monitor's picture", {{left, right}, {}, wide},
       {1920, 0, 1920, 1080}, {{0, 0, 1920, 1080}}},
      {"a window placed lower and to the right, over both monitors", {{left, right}, {}, wide},
       {1000, 80, 2000, 1000}, {{920, 0, 1080, 1000}, {0, 0, 920, 1000}}},
  };
  for (const Case& c : cases) {
    std::vector<PictureView> views =
        viewsForMonitors(chooseMonitors(c.reports), c.window, OverlayMonitors::Primary);
    EXPECT_TRUE(rectsOf(views) == c.expected) << c.what;
    for (size_t i = 0; i < views.size(); ++i) EXPECT_EQ(views[i].overlays, i == 0) << c.what;
  }
}
