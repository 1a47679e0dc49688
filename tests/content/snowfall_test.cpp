// Falling snow as a function of its seed and the time: the same seed gives
// the same flakes, which fall and drift back past the train and always lie
// in the cube round the place the eye looks at.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "landscape/snowfall.h"

namespace {

std::vector<FlakeSpot> flakes(Snowfall snowfall, unsigned seed, double timeMs,
                              double cx = 0, double cy = 0, double cz = 0) {
  std::vector<FlakeSpot> out;
  SnowField(snowfall, seed).flakesAt(timeMs, cx, cy, cz, out);
  return out;
}

bool same(const std::vector<FlakeSpot>& a, const std::vector<FlakeSpot>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z) return false;
  }
  return true;
}

TEST(SnowField, TheSameSeedGivesTheSameFlakesAndAnotherSeedOthers) {
  EXPECT_TRUE(flakes(Snowfall::None, 7, 0).empty());
  EXPECT_LT(flakes(Snowfall::Light, 7, 0).size(), flakes(Snowfall::Steady, 7, 0).size());
  EXPECT_LT(flakes(Snowfall::Steady, 7, 0).size(), flakes(Snowfall::Heavy, 7, 0).size());
  for (double t : {0.0, 1234.5, 3.6e6}) {
    EXPECT_TRUE(same(flakes(Snowfall::Heavy, 7, t), flakes(Snowfall::Heavy, 7, t))) << t;
    EXPECT_FALSE(same(flakes(Snowfall::Heavy, 7, t), flakes(Snowfall::Heavy, 8, t))) << t;
  }
}

TEST(SnowField, FlakesFallAndDriftBackInsideTheCubeRoundTheEye) {
  const double cx = 30, cy = -20, cz = 5, half = kSnowCube / 2;
  std::vector<FlakeSpot> before = flakes(Snowfall::Steady, 3, 5000, cx, cy, cz);
  std::vector<FlakeSpot> after = flakes(Snowfall::Steady, 3, 5100, cx, cy, cz);
  size_t moved = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    for (const FlakeSpot& f : {before[i], after[i]}) {
      ASSERT_TRUE(std::fabs(f.x - cx) <= half && std::fabs(f.y - cy) <= half &&
                  std::fabs(f.z - cz) <= half);
      ASSERT_TRUE(f.presence >= 0 && f.presence <= 1);
    }
    double dx = after[i].x - before[i].x, dz = after[i].z - before[i].z;
    if (std::fabs(dx) > half || std::fabs(dz) > half) continue;  // through a face
    // A tenth of a second: the ground's 10 units a second give or take the
    // wind and the flutter, and a fall of 2 to 3.6 units a second.
    EXPECT_NEAR(dx, -1.0, 0.35) << i;
    EXPECT_TRUE(dz < -0.19 && dz > -0.37) << i << ": " << dz;
    ++moved;
  }
  EXPECT_GT(moved, before.size() * 9 / 10);
}

}  // namespace
