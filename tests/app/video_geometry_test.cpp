#include <gtest/gtest.h>

#include "app/multisample_choice.h"
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
