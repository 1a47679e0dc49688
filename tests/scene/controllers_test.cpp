#include <gtest/gtest.h>

#include <cmath>

#include "scene/controllers.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"

namespace {

// Runs one controller at local time t on a node and returns the node's
// delta transform after the tick, the way a frame would see it.
class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { frameTime = 0; }

  Transform deltaAt(EventCallback controller, int32_t axis, double a, double b, double c,
                    double t) {
    SceneNode node;
    NodeEvent e;
    e.init(1, true, 0);
    e.setMotion(controller, axis, a, b, c);
    node.timeline.addEvent(e);
    node.timeline.events[0].t = t;  // the tick adds a step of 0
    currentNode = &node;
    node.timeline.tick();
    return node.timeline.delta;
  }
};

TEST_F(ControllerTest, SineTurnFollowsItsCurve) {
  EXPECT_DOUBLE_EQ(deltaAt(sineTurn, 1, 30, 2, 0, 0).ry, 0);
  EXPECT_DOUBLE_EQ(deltaAt(sineTurn, 1, 30, 2, 0, 1000).ry, 30 * std::sin(2.0));
}

TEST_F(ControllerTest, ExpMoveRisesTowardsItsHeight) {
  EXPECT_DOUBLE_EQ(deltaAt(expMove, 2, 5, -1.5, 0, 0).z, 0);
  EXPECT_NEAR(deltaAt(expMove, 2, 5, -1.5, 0, 1000).z, 3.884, 0.001);
  EXPECT_NEAR(deltaAt(expMove, 2, 5, -1.5, 0, 60000).z, 5, 1e-9);
}

TEST_F(ControllerTest, LinearControllersUseUnitsPerSecond) {
  EXPECT_DOUBLE_EQ(deltaAt(linearTurn, 1, 200, 0, 0, 1800).ry, 360);
  EXPECT_DOUBLE_EQ(deltaAt(linearTurn, 2, 200, 15, 0, 0).rz, 15);
  EXPECT_DOUBLE_EQ(deltaAt(linearMove, 0, -10, 0, 0, 1000).x, -10);
  EXPECT_DOUBLE_EQ(deltaAt(sineMove, 2, 8, 0.2, -1.57079632679489, 0).z, -8);
}

TEST_F(ControllerTest, UnknownAxisDoesNothing) {
  Transform d = deltaAt(linearMove, 3, 10, 0, 0, 1000);
  EXPECT_EQ(d.x + d.y + d.z + d.rx + d.ry + d.rz, 0);
}

TEST_F(ControllerTest, TwoEventsOnOneAxisAddUpAndDoNotCarryOver) {
  SceneNode node;
  for (int i = 0; i < 2; ++i) {
    NodeEvent e;
    e.init(1, true, 0);
    e.setMotion(linearMove, 0, 10, 0, 0);
    node.timeline.addEvent(e);
  }
  currentNode = &node;
  frameTime = 1000;
  node.timeline.tick();
  EXPECT_DOUBLE_EQ(node.timeline.delta.x, 20);
  frameTime = 1500;
  node.timeline.tick();
  EXPECT_DOUBLE_EQ(node.timeline.delta.x, 30);  // from t = 1500, not 20 + 30
}

TEST_F(ControllerTest, AccumulatingControllersMoveTheBaseAndRestart) {
  SceneNode node;
  NodeEvent move;
  move.init(1, true, 0);
  move.setMotion(linearMoveAccumulate, 0, 10, 0, 0);
  NodeEvent turn;
  turn.init(1, true, 0);
  turn.setMotion(linearTurnAccumulate, 2, 90, 0, 0);
  node.timeline.addEvent(move);
  node.timeline.addEvent(turn);
  currentNode = &node;
  for (uint32_t t = 500; t <= 2000; t += 500) {
    frameTime = t;
    node.timeline.tick();
  }
  EXPECT_DOUBLE_EQ(node.transform.x, 20);
  EXPECT_DOUBLE_EQ(node.transform.rz, 180);
  EXPECT_EQ(node.timeline.events[0].t, 0);
  EXPECT_EQ(node.timeline.delta.x, 0);
}

TEST_F(ControllerTest, TimedCloseWaitsUntilItsLifetimeIsExceeded) {
  SceneNode node;
  NodeEvent e;
  e.init(1, true, 0);
  e.setParams(timedClose, 8000, 0, 0);
  node.timeline.addEvent(e);
  currentNode = &node;
  frameTime = 8000;
  node.timeline.tick();
  EXPECT_FALSE(node.closeRequested);
  frameTime = 8001;
  node.timeline.tick();
  EXPECT_TRUE(node.closeRequested);
}

}  // namespace
