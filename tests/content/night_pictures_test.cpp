// The saver's scene with the real archives, looked at where things should
// be: the ground is darker at night than at noon, the headlamp's pool of
// light is brighter than the snow beside it, and falling snow is the same
// for the same seed. Points of the landscape are projected with the
// matrices the frame was drawn with, and only counted where the depth
// buffer shows that the ground, not the train or a tree, is what is seen.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/saver_run.h"
#include "platform/local_time.h"
#include "scene/scene_node.h"
#include "tools/still/offscreen_saver.h"
#include "train/night_lights.h"
#include "resources/model_view_stack.h"

namespace {

constexpr int kWidth = 480, kHeight = 360;
// The camera's near and far planes, to turn depth values into distances.
constexpr double kNear = 0.1, kFar = 250.0;

struct Frame {
  std::vector<uint8_t> rgba;  // bottom row first, as the depth
  std::vector<float> depth;
  double modelview[16], projection[16];
  GLint viewport[4];
};

double distanceOf(double windowDepth) {
  return kNear * kFar / (kFar - windowDepth * (kFar - kNear));
}

// The landscape's matrix in the last frame: the camera's translation, then
// each node down to the landscape with its base transform and the delta its
// events wrote.
void landscapeMatrix(double* out) {
  modelViewStack.loadIdentity();
  modelViewStack.translate(0.0, 0.0, -100.0);
  SceneNode* dolly = worldRoot->children[0];
  for (SceneNode* node : {worldRoot, dolly, dolly->children[0]}) {
    node->transform.apply();
    node->timeline.delta.apply();
  }
  for (int i = 0; i < 16; ++i) out[i] = modelViewStack.top()[i];
}

// The scene at `localTime` after `seconds`, with the overlays off.
Frame draw(const char* localTime, unsigned seed, int seconds,
           std::vector<std::string> options, int width = kWidth, int height = kHeight) {
  OffscreenSaverOptions o;
  o.width = width;
  o.height = height;
  o.seed = seed;
  o.fixedLocalTime = parseLocalTime(localTime, o.localTime);
  options.insert(options.end(), {"--clock=none", "--calendar=none"});
  std::string problem;
  for (size_t at = 0; at < options.size(); ++at) {
    EXPECT_EQ(readSettingOption(options, at, o.overrides, problem), 1) << options[at];
  }
  Frame frame;
  OffscreenSaver saver(o);
  EXPECT_TRUE(saver.ok());
  if (!saver.ok()) return frame;
  for (uint32_t t = 1000; t <= uint32_t(seconds) * 1000; t += 1000) saver.frame(t);
  frame.rgba = saver.pixels();
  frame.depth.resize(size_t(width) * height);
  glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, frame.depth.data());
  landscapeMatrix(frame.modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, frame.projection);
  glGetIntegerv(GL_VIEWPORT, frame.viewport);
  return frame;
}

// Luminance where the ground at (x, y) of the landscape shows, if it is
// seen: the height is found by walking down from above the rails until a
// point lies where the depth buffer says the picture's surface is. Where
// the train or a tree stands in front, no point below matches.
bool seenGround(const Frame& f, double x, double y, double& luminance) {
  for (double z = -3.0; z > -12.0; z -= 0.1) {
    double wx, wy, wz;
    if (!gluProject(x, y, z, f.modelview, f.projection, f.viewport, &wx, &wy, &wz)) return false;
    int px = int(wx), py = int(wy);
    if (px < 0 || py < 0 || px >= f.viewport[2] || py >= f.viewport[3] || wz <= 0 || wz >= 1) {
      return false;
    }
    size_t at = size_t(py) * f.viewport[2] + px;
    if (std::fabs(distanceOf(f.depth[at]) - distanceOf(wz)) > 0.3) continue;
    const uint8_t* p = &f.rgba[at * 4];
    luminance = 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
    return true;
  }
  return false;
}

double median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Luminances of the ground seen at x from `fromX` to `toX` and each y.
std::vector<double> ground(const Frame& f, double fromX, double toX, std::vector<double> ys) {
  std::vector<double> found;
  double l;
  for (double x = fromX; x <= toX; x += 1.0) {
    for (double y : ys) {
      if (seenGround(f, x, y, l)) found.push_back(l);
    }
  }
  return found;
}

// The snow beside the track, clear of the track bed and of the plants,
// which stand 22 units or more from the line.
std::vector<double> besideTheTrack(const Frame& f, double fromX, double toX) {
  return ground(f, fromX, toX, {-12, -10, -8, 8, 10, 12});
}

class NightPicturesTest : public ::testing::Test {
 protected:
  // A moment when the train is seen from above, its front in view.
  static constexpr unsigned kSeed = 3;
  static constexpr int kSeconds = 30;

  static void SetUpTestSuite() {
    noon = new Frame(draw("2026-12-15 12:00:00", kSeed, kSeconds, {"--time-of-day"}));
    night = new Frame(draw("2026-12-15 03:00:00", kSeed, kSeconds, {"--time-of-day"}));
  }
  static void TearDownTestSuite() {
    delete noon;
    delete night;
  }
  static Frame* noon;
  static Frame* night;
};

Frame* NightPicturesTest::noon = nullptr;
Frame* NightPicturesTest::night = nullptr;

TEST_F(NightPicturesTest, TheGroundIsDarkerAtNightThanAtNoon) {
  std::vector<double> day = besideTheTrack(*noon, -40, 40);
  std::vector<double> dark = besideTheTrack(*night, -40, 40);
  ASSERT_GE(day.size(), 20u);
  ASSERT_GE(dark.size(), 20u);
  EXPECT_LT(median(dark), median(day) / 2) << median(dark) << " against " << median(day);
}

TEST_F(NightPicturesTest, TheHeadlampsPoolIsBrighterThanTheSnowBesideIt) {
  // Ahead of the plough, where the beam is still narrow.
  const double from = nightlights::kPoolStartX + 5, to = nightlights::kPoolStartX + 14;
  std::vector<double> pool = ground(*night, from, to, {-1.0, 0.0, 1.0});
  std::vector<double> beside = besideTheTrack(*night, from, to);
  ASSERT_GE(pool.size(), 6u);
  ASSERT_GE(beside.size(), 6u);
  EXPECT_GT(median(pool), 1.3 * median(beside)) << median(pool) << " against " << median(beside);
}

TEST(FallingSnowPictures, TheSameSeedDrawsTheSameSnow) {
  auto snow = [](unsigned seed, const char* density) {
    return draw("2026-12-15 12:00:00", seed, 3, {std::string("--snow=") + density}, 200, 150).rgba;
  };
  std::vector<uint8_t> first = snow(5, "heavy");
  EXPECT_EQ(first, snow(5, "heavy"));
  EXPECT_NE(first, snow(5, "none"));
}

}  // namespace
