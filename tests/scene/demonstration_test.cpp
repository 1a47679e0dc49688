// A small scene driven over simulated frames: a carrier slides along X, a
// wheel on it turns, and a puff on the wheel closes itself after its
// lifetime. Positions are read from the OpenGL matrix the way the meshes
// would see them.
#include <GL/gl.h>
#include <cmath>
#include <gtest/gtest.h>

#include "scene/controllers.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "tests/support/gl_test_context.h"
#include "resources/model_view_stack.h"

namespace {

double seenX = 0;      // eye-space x of the puff's origin in the last frame
double seenAngle = 0;  // the wheel's turn in degrees, from its matrix
bool puffDrawn = false;

void probePuff(int32_t phase, int32_t) {
  if (phase != BeforeMeshes) return;
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = modelViewStack.top()[i];
  seenX = m[12];
  puffDrawn = true;
}

void probeWheel(int32_t phase, int32_t) {
  if (phase != BeforeChild) return;
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = modelViewStack.top()[i];
  seenAngle = std::atan2(-m[2], m[0]) * 180 / 3.14159265358979;  // about Y
}

void addPermanent(SceneNode* node, EventCallback controller, int32_t axis, double a, double b,
                  double c) {
  NodeEvent e;
  e.init(1, true, 0);
  e.setMotion(controller, axis, a, b, c);
  node->cues.addEvent(e);
}

class DemonstrationTest : public GlTest {};

TEST_F(DemonstrationTest, NodesMoveTurnAndCloseOnTime) {
  frameTime = 0;
  SceneNode root;
  SceneNode* carrier = new SceneNode();
  carrier->cues.newCue();
  addPermanent(carrier, linearMove, 0, -10.0, 0, 0);  // -10 units per second
  carrier->cues.fire(0);
  SceneNode* wheel = new SceneNode();
  wheel->addHook(probeWheel, 0);
  wheel->cues.newCue();
  addPermanent(wheel, linearTurn, 1, 200, 0, 0);  // one turn per 1.8 s
  wheel->cues.fire(0);
  SceneNode* puff = new SceneNode();
  puff->hasModel = true;
  puff->addHook(probePuff, 0);
  puff->cues.newCue();
  NodeEvent life;
  life.init(1, true, 0);
  life.setParams(timedClose, 1000, 0, 0);
  puff->cues.addEvent(life);
  puff->cues.fire(0);
  wheel->addChild(puff);
  carrier->addChild(wheel);
  root.addChild(carrier);

  int lastFrameDrawn = 0;
  int frameGone = 0;
  for (int frame = 1; frame <= 30; ++frame) {
    frameTime = static_cast<uint32_t>(frame) * 50;
    puffDrawn = false;
    root.draw();
    if (puffDrawn) lastFrameDrawn = frame;
    if (frameGone == 0 && wheel->children.empty()) frameGone = frame;
    if (frame == 9) {  // 450 ms: a quarter turn and 4.5 units back
      EXPECT_NEAR(seenAngle, 90, 1e-3);
      EXPECT_NEAR(seenX, -4.5, 1e-4);
    }
  }
  // Closed in the first tick past 1000 ms (frame 21), still drawn in frame
  // 20 and its closing frame; reaped by the wheel one frame after it closed.
  EXPECT_EQ(lastFrameDrawn, 21);
  EXPECT_EQ(frameGone, 22);
  EXPECT_NEAR(seenX, -10.5, 1e-4);  // where the carrier was at 1050 ms
}

}  // namespace
