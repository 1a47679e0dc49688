#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/scene_assembly.h"
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

TEST_F(VideoGeometryTest, ZeroHeightCountsAsOne) {
  std::unique_ptr<VideoContext> video(VideoContext::forCurrentContext(64, 0));
  EXPECT_NEAR(video->edgeX(-100) / video->edgeY(-100), 64.0, 1e-3);
}

// Where a point of the overlay root shows, as a share of the screen's width
// and height from its lower left corner: projected with the camera the
// context set up, after the frame's move of 100 units into the screen.
struct Share {
  double x, y;
};
Share shownAt(const OverlayPlacement& at) {
  GLdouble model[16], projection[16], winX, winY, winZ;
  GLint viewport[4];
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0, 0, -100);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluProject(at.x, at.y, at.z, model, projection, viewport, &winX, &winY, &winZ);
  return {winX / viewport[2], winY / viewport[3]};
}

// Every overlay keeps its corner on every screen shape: the clocks at the
// lower right corner itself, the calendar inside the upper right quarter
// and the counter inside the upper left one, each at the same share of the
// screen whatever its shape.
TEST_F(VideoGeometryTest, OverlaysKeepTheirCornersOnEveryScreenShape) {
  const struct {
    int width, height;
  } screens[] = {{1280, 1024}, {1024, 768}, {1680, 1050}, {1920, 1080}, {2560, 1080}};
  Share calendarFirst{}, counterFirst{};
  for (const auto& screen : screens) {
    std::unique_ptr<VideoContext> context(
        VideoContext::forCurrentContext(screen.width, screen.height));
    video = context.get();
    SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height));
    for (bool large : {true, false}) {
      Share clock = shownAt(clockPlacement(large));
      EXPECT_NEAR(clock.x, 1.0, 1e-6);
      EXPECT_NEAR(clock.y, 0.0, 1e-6);
    }
    Share calendar = shownAt(calendarPlacement());
    EXPECT_GT(calendar.x, 0.5);
    EXPECT_LT(calendar.x, 0.95);
    EXPECT_GT(calendar.y, 0.5);
    EXPECT_LT(calendar.y, 0.95);
    Share counter = shownAt(frameRatePlacement());
    EXPECT_GT(counter.x, 0.0);
    EXPECT_LT(counter.x, 0.1);
    EXPECT_GT(counter.y, 0.9);
    EXPECT_LT(counter.y, 1.0);
    if (&screen == &screens[0]) {
      calendarFirst = calendar;
      counterFirst = counter;
    }
    EXPECT_NEAR(calendar.x, calendarFirst.x, 1e-6);
    EXPECT_NEAR(calendar.y, calendarFirst.y, 1e-6);
    EXPECT_NEAR(counter.y, counterFirst.y, 1e-6);
  }
  video = nullptr;
}

}  // namespace
