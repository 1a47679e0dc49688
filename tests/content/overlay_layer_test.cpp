// The overlays drawn alone, for a surface of their own that a compositor
// lays over the world's: transparent wherever they draw nothing, and every
// pixel's colours premultiplied by its alpha, as the compositor blends it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/local_time.h"
#include "tools/still/offscreen_saver.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Six seconds with every overlay (the clock and the calendar are shown by
// default), the world drawn before each of them.
std::vector<uint8_t> overlaysAlone() {
  OffscreenSaverOptions o;
  o.width = kWidth;
  o.height = kHeight;
  o.seed = 5;
  o.fixedLocalTime = parseLocalTime("2026-12-15 12:20:00", o.localTime);
  o.overlaysAlone = true;
  std::string problem;
  EXPECT_EQ(readSettingOption({"--fps"}, 0, o.overrides, problem), 1);
  OffscreenSaver saver(o);
  EXPECT_TRUE(saver.ok());
  for (uint32_t t = 500; t <= 6000; t += 500) saver.frame(t);
  return saver.pixels();
}

TEST(OverlayLayer, TransparentButForTheOverlaysAndPremultiplied) {
  std::vector<uint8_t> picture = overlaysAlone();
  ASSERT_EQ(picture.size(), size_t{kWidth} * kHeight * 4);
  size_t clear = 0, solid = 0, notPremultiplied = 0;
  for (size_t i = 0; i < picture.size(); i += 4) {
    int alpha = picture[i + 3];
    if (alpha == 0 && picture[i] == 0 && picture[i + 1] == 0 && picture[i + 2] == 0) ++clear;
    if (alpha > 200) ++solid;
    for (int c = 0; c < 3; ++c) {
      if (picture[i + c] > alpha + 2) ++notPremultiplied;
    }
  }
  size_t pixels = picture.size() / 4;
  // The world is not drawn: most of the picture is clear, the calendar's and
  // the clock's panels are not.
  EXPECT_GT(clear, pixels * 6 / 10);
  EXPECT_GT(solid, pixels / 20);
  EXPECT_EQ(notPremultiplied, 0u);
}

}  // namespace
