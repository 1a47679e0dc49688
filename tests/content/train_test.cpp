#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scene/controllers.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"
#include "tools/assets/dimensions.h"
#include "train/firebox_car.h"
#include "train/locomotive.h"
#include "train/locomotive_layout.h"
#include "train/smoke.h"

namespace {

constexpr double kPi = 3.14159265358978;

std::vector<std::string> childEntries(const SceneNode* node) {
  std::vector<std::string> entries;
  for (const SceneNode* child : node->children) entries.push_back(loadedEntry(child));
  return entries;
}

class LocomotiveTest : public ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    train = nodeWithEvent(buildLocomotive, true);
    drawAt(*train, 0);
    ASSERT_EQ(train->children.size(), 10u);
  }
  void TearDown() override {
    delete train;
    ContentTest::TearDown();
  }

  // The node of row `row` of the build (1 to 25), found through the tree.
  SceneNode* part(int row) const {
    static const int kTrainChild[] = {0, 0, 1, 2, 3, 4, 5, 6};
    if (row <= 7) return train->children[static_cast<size_t>(kTrainChild[row])];
    SceneNode* wheel = train->children[4];
    switch (row) {
      case 8: return part(6)->children[0];
      case 9: return part(7)->children[0];
      case 10: return part(8)->children[0];
      case 11: return part(9)->children[0];
      case 12: return wheel->children[0];
      case 13: return wheel->children[2];
      case 14: return wheel->children[1];
      case 15: return part(13)->children[0];
      case 16: return part(12)->children[0];
      case 17: return wheel->children[3];
      case 18: return wheel->children[4];
      case 19: return part(17)->children[0];
      case 20: return part(18)->children[0];
      case 21: return part(19)->children[0];
      case 22: return part(20)->children[0];
      case 23: return train->children[7];
      case 24: return train->children[8];
      default: return train->children[9];
    }
  }

  double turn(int row) const { return part(row)->timeline.delta.ry; }

  SceneNode* train = nullptr;
};

TEST_F(LocomotiveTest, BuildsTwentyFiveNodesInTheirChildOrders) {
  // The car (5 nodes) is built in the same frame under the first anchor.
  EXPECT_EQ(descendants(train).size(), 25u + 5u);
  EXPECT_EQ(childEntries(train),
            std::vector<std::string>({"", "parovoz", "kolesosmall", "kolesobig", "kolesobig",
                                      "koleb", "koleb", "kolesobig", "kolesosred", ""}));
  SceneNode* wheel = train->children[4];
  EXPECT_EQ(childEntries(wheel),
            std::vector<std::string>({"richazek", "richazek", "", "balka", "balka"}));
  // The second return crank is turned half round; the pivot after it is not.
  EXPECT_EQ(wheel->children[1]->transform.ry, 180.0);
  EXPECT_EQ(wheel->children[2]->transform.y, -locomotive_layout::kReturnCrankY);
  EXPECT_EQ(wheel->children[2]->transform.ry, 0.0);
  EXPECT_EQ(loadedEntry(part(15)), "porshen");
  EXPECT_EQ(loadedEntry(part(21)), "tolkatel");
  EXPECT_EQ(train->children[0]->transform.x, locomotive_layout::kCarAnchorX);
  EXPECT_EQ(train->children[9]->transform.x, locomotive_layout::kChimneyTopX);
  EXPECT_EQ(train->children[9]->transform.z, locomotive_layout::kChimneyTopZ);
}

TEST_F(LocomotiveTest, TwentyOneMotionEventsAboutTheAxles) {
  int motions = 0;
  for (int row = 2; row <= 24; ++row) {
    for (const NodeEvent& event : part(row)->timeline.events) {
      EXPECT_EQ(event.selector, 1) << "row " << row;
      EXPECT_TRUE(event.infinite);
      ++motions;
    }
  }
  EXPECT_EQ(motions, 21);
}

TEST_F(LocomotiveTest, RunningGearPosesAtQuarterAndFullTurn) {
  // t = 0: levers level, main rods at +-9 degrees.
  EXPECT_NEAR(turn(6), 0, 1e-9);
  EXPECT_NEAR(turn(19), 9, 1e-9);
  EXPECT_NEAR(turn(20), -9, 1e-9);
  const int rows[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
  std::vector<double> start;
  for (int row : rows) start.push_back(turn(row));

  drawAt(*train, 450);  // a quarter turn
  EXPECT_NEAR(turn(4), 90, 1e-9);
  EXPECT_NEAR(turn(24), 90, 1e-9);
  EXPECT_NEAR(turn(19), 0, 1e-9);
  EXPECT_NEAR(turn(6), 30, 1e-9);
  EXPECT_NEAR(turn(7), -30, 1e-9);
  EXPECT_NEAR(turn(8), -37, 1e-9);

  drawAt(*train, 1800);  // a whole turn: back to the first pose
  for (size_t i = 0; i < start.size(); ++i) {
    EXPECT_NEAR(std::remainder(turn(rows[i]) - start[i], 360.0), 0, 1e-6)
        << "row " << rows[i];
  }
}

// A point given in a node's own frame, in the train's X-Z plane, and the
// node's absolute turn about the axle direction in degrees.
struct XZ {
  double x, z;
};
XZ inTrain(const MatrixProbe& p, const dims::PinXZ& at) {
  return {p.matrix[0] * at.x + p.matrix[8] * at.z + p.matrix[12],
          p.matrix[2] * at.x + p.matrix[10] * at.z + p.matrix[14]};
}
double absoluteTurn(const MatrixProbe& p) { return std::atan2(p.matrix[8], p.matrix[0]) * 180 / kPi; }

TEST_F(LocomotiveTest, RodsFollowTheCranksThroughATurn) {
  // Through one turn of the wheels the coupling rods and crossheads keep
  // level, and the coupling rod rides the crank pin wherever the wheel has
  // turned it. The eccentric rods swing, opposite on the two sides, each
  // far end pinned to its expansion link's foot.
  MatrixProbe level[4], eccentric[2], linkFoot[2], wheel;
  const int levelRows[] = {17, 18, 21, 22};
  for (int i = 0; i < 4; ++i) level[i].attach(part(levelRows[i]));
  for (int side : {0, 1}) {
    eccentric[side].attach(part(16 - side));
    linkFoot[side].attach(part(6 + side));
  }
  wheel.attach(part(5));
  double widestSwing = 0, wheelTurned = 0;
  for (uint32_t t = 0; t <= 1800; t += 50) {
    drawAt(*train, t);
    wheelTurned = std::max(wheelTurned, std::fabs(absoluteTurn(wheel)));
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(absoluteTurn(level[i]), 0, 1e-6) << "row " << levelRows[i] << " at t " << t;
    EXPECT_NEAR(absoluteTurn(eccentric[0]), -absoluteTurn(eccentric[1]), 1e-4) << "t " << t;
    widestSwing = std::max(widestSwing, std::fabs(absoluteTurn(eccentric[0])));
    for (int side : {0, 1}) {
      XZ end = inTrain(eccentric[side], dims::kEccentricRodEnd);
      XZ foot = inTrain(linkFoot[side], dims::kLinkFootPin);
      EXPECT_LT(std::hypot(end.x - foot.x, end.z - foot.z), 0.25) << "side " << side << " at t " << t;
    }
    XZ pin = inTrain(wheel, {0, locomotive_layout::kCrankRadius});
    EXPECT_NEAR(level[0].matrix[12], pin.x, 1e-6) << "t " << t;
    EXPECT_NEAR(level[0].matrix[14], pin.z, 1e-6) << "t " << t;
  }
  EXPECT_GT(wheelTurned, 179.0);  // the wheel itself went round
  EXPECT_GT(widestSwing, 1.0);
}

TEST_F(LocomotiveTest, EveryWheelStandsOnTheRailWhileTheCarRocks) {
  // Each wheel model is as large as its centre is high above the rail top,
  // the engine's and the car's alike.
  const std::map<std::string, double> radius = {{"kolesobig", dims::kBigWheelRadius},
                                                {"kolesosmall", dims::kSmallWheelRadius},
                                                {"kolesosred", dims::kMiddleWheelRadius}};
  std::vector<SceneNode*> wheels;
  for (SceneNode* node : descendants(train)) {
    if (radius.count(loadedEntry(node)) != 0) wheels.push_back(node);
  }
  ASSERT_EQ(wheels.size(), 9u);
  SceneNode* anchor = train->children[0];
  ASSERT_EQ(childEntries(anchor),
            std::vector<std::string>({"topka", "kolesosmall", "kolesosmall", "kolesosmall",
                                      "kolesosmall"}));
  MatrixProbe body;
  body.attach(anchor->children[0]);
  std::vector<MatrixProbe> centres(wheels.size());
  for (size_t i = 0; i < wheels.size(); ++i) centres[i].attach(wheels[i]);
  std::vector<double> firstX;
  std::set<long> bodyTilts;
  for (uint32_t t : {100u, 600u, 1200u}) {
    drawAt(*train, t);
    bodyTilts.insert(std::lround(body.matrix[8] * 1e6));
    EXPECT_LT(std::fabs(std::asin(body.matrix[8]) * 180 / kPi), 1.0);  // a gentle rock
    for (size_t i = 0; i < wheels.size(); ++i) {
      const std::string entry = loadedEntry(wheels[i]);
      EXPECT_NEAR(centres[i].matrix[14] - radius.at(entry), dims::kRailTopZ, 1e-5) << entry << " " << i;
      if (firstX.size() < wheels.size()) firstX.push_back(centres[i].matrix[12]);
      EXPECT_EQ(centres[i].matrix[12], firstX[i]) << entry << " " << i;  // not rocked along
    }
  }
  EXPECT_EQ(bodyTilts.size(), 3u);
  // The car's wheels stand close in two pairs, none running into another.
  std::vector<double> carWheelX;
  for (size_t i = 0; i < wheels.size(); ++i) {
    const std::vector<SceneNode*>& onCar = anchor->children;
    if (std::find(onCar.begin(), onCar.end(), wheels[i]) != onCar.end()) carWheelX.push_back(centres[i].matrix[12]);
  }
  ASSERT_EQ(carWheelX.size(), 4u);
  std::sort(carWheelX.begin(), carWheelX.end());
  for (size_t i = 1; i < carWheelX.size(); ++i) {
    EXPECT_GE(carWheelX[i] - carWheelX[i - 1], 2 * dims::kSmallWheelRadius - 1e-9) << i;
  }
}

// Smoke emitted by a lone emitter node, frames `step` ms apart.
class SmokeTest : public ContentTest {
 protected:
  void TearDown() override {
    delete emitter;
    ContentTest::TearDown();
  }
  // New particles per frame over `frames` frames.
  std::vector<size_t> emitOver(int frames, uint32_t step) {
    frameTime = 0;  // the emitter's clock starts with the first frame
    emitter = nodeWithEvent(emitSmoke, false);
    std::vector<size_t> perFrame;
    size_t before = 0;
    for (int i = 0; i <= frames; ++i) {
      drawAt(*emitter, static_cast<uint32_t>(i) * step);
      perFrame.push_back(emitter->children.size() - before);
      before = emitter->children.size();
    }
    return perFrame;
  }
  SceneNode* emitter = nullptr;
};

TEST_F(SmokeTest, EmitsAboutTwentyPerSecondWhateverTheFrameRate) {
  std::vector<size_t> coarse = emitOver(120, 50);  // 6 s, under any lifetime
  EXPECT_EQ(coarse[0], 0u);                        // the first tick's step is 0
  size_t total = 0, singles = 0;
  for (size_t n : coarse) {
    EXPECT_LE(n, 2u);
    total += n;
    singles += n == 1;
  }
  EXPECT_NEAR(static_cast<double>(total), 6000 / 49.5, 8);
  EXPECT_GT(singles, 80u);

  delete emitter;
  std::vector<size_t> fine = emitOver(600, 10);
  size_t framesWithSmoke = 0;
  for (size_t n : fine) {
    EXPECT_LE(n, 1u);
    framesWithSmoke += n;
  }
  EXPECT_NEAR(static_cast<double>(framesWithSmoke), 600 / 4.95, 8);  // one in ~5
}

TEST_F(SmokeTest, ParticleIsDrawnUntilItsLifetimeAndGoneAfter) {
  setRandomSource(alwaysZero);  // lifetime 7500, slowest drift, lowest rise
  emitter = nodeWithEvent(emitSmoke, false);
  drawAt(*emitter, 0);
  drawAt(*emitter, 10);
  ASSERT_EQ(emitter->children.size(), 1u);
  SceneNode* carrier = emitter->children[0];
  MatrixProbe sprite;
  sprite.attach(carrier->children[0]);
  EXPECT_EQ(carrier->children[0]->transform.sx, 0.5);
  EXPECT_TRUE(carrier->children[0]->transform.scaled);

  drawAt(*emitter, 1010);
  EXPECT_NEAR(carrier->timeline.delta.x, -12, 1e-9);
  EXPECT_NEAR(carrier->timeline.delta.y, 2, 1e-9);
  EXPECT_NEAR(carrier->timeline.delta.z, 2 * (1 - std::exp(-1.5)), 1e-9);

  drawAt(*emitter, 7510);  // t = 7500: still shown
  int drawn = sprite.draws;
  EXPECT_FALSE(carrier->closeRequested);
  drawAt(*emitter, 7511);  // first tick past the lifetime
  EXPECT_TRUE(carrier->closeRequested);
  EXPECT_EQ(sprite.draws, drawn);
}

TEST(SmokeDraw, SpeedsHeightsLifetimesAndScalesStayInTheirRanges) {
  std::srand(11);
  std::set<double> back, across, rise;
  for (int i = 0; i < 3000; ++i) {
    SmokeParticleDraw drawn = drawSmokeParticle();
    back.insert(drawn.driftBack);
    across.insert(drawn.driftAcross);
    rise.insert(drawn.riseHeight);
    ASSERT_GE(drawn.lifetimeMs, 7500);
    ASSERT_LE(drawn.lifetimeMs, 8499);
    for (double s : {drawn.scaleX, drawn.scaleY, drawn.scaleZ}) {
      ASSERT_GE(s, 0.5);
      ASSERT_LE(s, 1.49 + 1e-12);
    }
  }
  EXPECT_EQ(back, std::set<double>({-12, -11, -10, -9, -8, -7}));
  EXPECT_EQ(across, std::set<double>({-1, 0, 1, 2}));
  EXPECT_EQ(rise, std::set<double>({2, 3, 4, 5, 6, 7}));
}

}  // namespace
