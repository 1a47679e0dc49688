#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "scene/controllers.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"
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

TEST_F(LocomotiveTest, TwentyOneMotionEventsWithTheirParameters) {
  int motions = 0;
  for (int row = 2; row <= 24; ++row) {
    for (const NodeEvent& event : part(row)->timeline.events) {
      EXPECT_EQ(event.selector, 1) << "row " << row;
      EXPECT_TRUE(event.infinite);
      ++motions;
    }
  }
  EXPECT_EQ(motions, 21);
  const std::vector<NodeEvent>& piston = part(15)->timeline.events;
  ASSERT_EQ(piston.size(), 2u);
  EXPECT_EQ(piston[0].callback, &sineTurn);
  EXPECT_EQ(piston[0].A, 4.9);
  EXPECT_EQ(piston[0].C, 1.57079632679489);
  EXPECT_EQ(piston[1].callback, &linearTurn);
  EXPECT_EQ(piston[1].A, -200.0);
  const NodeEvent& lever = part(7)->timeline.events[0];
  EXPECT_EQ(lever.A, 30.0);
  EXPECT_DOUBLE_EQ(lever.B, 200.0 * kPi / 180.0);
  EXPECT_EQ(lever.C, -kPi);
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

TEST_F(LocomotiveTest, RodsAndCrossheadsKeepTheirOrientationAsTheWheelsTurn) {
  MatrixProbe couplingRod, crosshead, otherCrosshead, wheel;
  couplingRod.attach(part(17));
  crosshead.attach(part(21));
  otherCrosshead.attach(part(22));
  wheel.attach(part(5));
  for (uint32_t t : {0u, 130u, 450u, 1000u, 1333u}) {
    drawAt(*train, t);
    for (MatrixProbe* probe : {&couplingRod, &crosshead, &otherCrosshead}) {
      EXPECT_NEAR(probe->matrix[0], 1, 1e-6) << "t " << t;   // no turn about Y:
      EXPECT_NEAR(probe->matrix[8], 0, 1e-6) << "t " << t;   // x and z axes
      EXPECT_NEAR(probe->matrix[10], 1, 1e-6) << "t " << t;  // unchanged
    }
    // The coupling rod rides the crank pin about the middle driving axle,
    // at the top when t = 0, towards +X a quarter turn later.
    namespace layout = locomotive_layout;
    double theta = 200.0 * t / 1000.0 * kPi / 180.0;
    EXPECT_NEAR(couplingRod.matrix[12], layout::kMiddleDriverX + layout::kCrankRadius * std::sin(theta), 1e-6);
    EXPECT_NEAR(couplingRod.matrix[14], layout::kBigWheelCentreZ + layout::kCrankRadius * std::cos(theta), 1e-6);
    EXPECT_NEAR(couplingRod.matrix[13], layout::kCouplingRodY, 1e-6);
  }
  EXPECT_GT(std::fabs(wheel.matrix[8]), 0.5);  // while the wheel itself turned
}

TEST_F(LocomotiveTest, WheelsOfOneSizeStandAtOneHeight) {
  // On a level rail, every wheel made from the same model (the engine's and
  // the car's) has its centre at the same height in the train's frame.
  std::vector<SceneNode*> wheels;
  for (SceneNode* node : descendants(train)) {
    if (loadedEntry(node).rfind("koleso", 0) == 0) wheels.push_back(node);
  }
  ASSERT_EQ(wheels.size(), 9u);
  std::vector<MatrixProbe> centres(wheels.size());
  for (size_t i = 0; i < wheels.size(); ++i) centres[i].attach(wheels[i]);
  drawAt(*train, 700);
  for (size_t i = 0; i < wheels.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (loadedEntry(wheels[i]) != loadedEntry(wheels[j])) continue;
      EXPECT_NEAR(centres[i].matrix[14], centres[j].matrix[14], 1e-9) << loadedEntry(wheels[i]);
    }
  }
}

TEST_F(LocomotiveTest, CarRocksWithoutMovingItsWheels) {
  SceneNode* anchor = train->children[0];
  ASSERT_EQ(childEntries(anchor),
            std::vector<std::string>({"topka", "kolesosmall", "kolesosmall", "kolesosmall",
                                      "kolesosmall"}));
  MatrixProbe body, wheel;
  body.attach(anchor->children[0]);
  wheel.attach(anchor->children[4]);
  std::set<long> bodyTilts;
  for (uint32_t t : {100u, 600u, 1200u}) {
    drawAt(*train, t);
    bodyTilts.insert(std::lround(body.matrix[8] * 1e6));
    EXPECT_NEAR(std::asin(body.matrix[8]) * 180 / kPi, 0.6 * std::sin(2.5 * t / 1000), 1e-4);
    EXPECT_NEAR(wheel.matrix[12], locomotive_layout::kCarAnchorX - 6.474, 1e-5);
    EXPECT_NEAR(wheel.matrix[14], -3.8, 1e-5);
  }
  EXPECT_EQ(bodyTilts.size(), 3u);
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
