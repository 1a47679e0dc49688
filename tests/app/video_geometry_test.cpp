#include <gtest/gtest.h>

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

}  // namespace
