#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "scene/controllers.h"
#include "scene/draw_hooks.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "tests/support/gl_test_context.h"
#include "resources/model_view_stack.h"

namespace {

class DrawHooksTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    frameTime = 0;
  }
};

void runLightEvent(int32_t selector) {
  NodeEvent e;
  e.init(1, true, 0);
  e.setMotion(lightPosition, selector, 0, 0, 0);
  currentEvent = &e;
  lightPosition(0);
}

TEST_F(DrawHooksTest, LightPositionOnlyPlacesLightsOneToFive) {
  modelViewStack.translate(3, 4, 5);
  const GLfloat away[4] = {9, 9, 9, 0};
  glPushMatrix();
  glLoadIdentity();
  for (int light = 0; light < 8; ++light) glLightfv(GL_LIGHT0 + light, GL_POSITION, away);
  glPopMatrix();
  runLightEvent(0);
  runLightEvent(6);
  runLightEvent(1);
  GLfloat p[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, p);
  EXPECT_FLOAT_EQ(p[0], 9);
  glGetLightfv(GL_LIGHT6, GL_POSITION, p);
  EXPECT_FLOAT_EQ(p[0], 9);
  glGetLightfv(GL_LIGHT1, GL_POSITION, p);  // eye coordinates of the node's origin
  EXPECT_FLOAT_EQ(p[0], 3);
  EXPECT_FLOAT_EQ(p[1], 4);
  EXPECT_FLOAT_EQ(p[2], 5);
  EXPECT_FLOAT_EQ(p[3], 1);
}

TEST_F(DrawHooksTest, BillboardDropsRotationAndRestoresTheParentExactly) {
  modelViewStack.translate(1, 2, 3);
  modelViewStack.rotate(37, 0);
  modelViewStack.rotate(20, 1);
  double before[16];
  modelView(before);
  billboardHook(BeforeMeshes, 0);
  double inside[16];
  modelView(inside);
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(inside[c * 4 + r], c == r ? 1.0 : 0.0);
  }
  EXPECT_DOUBLE_EQ(inside[12], before[12]);
  EXPECT_DOUBLE_EQ(inside[13], before[13]);
  EXPECT_DOUBLE_EQ(inside[14], before[14]);
  billboardHook(AfterMeshes, 0);
  double after[16];
  modelView(after);
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(after[i], before[i]);
}

bool lightingSeenByChild = false;
void probeLighting(int32_t) { lightingSeenByChild = glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_LIGHT1); }

TEST_F(DrawHooksTest, LightingHookWithoutModelActsOnlyAroundChildren) {
  SceneNode root;
  root.addHook(lightingHook, 0);
  SceneNode* child = new SceneNode();
  child->cues.newCue();
  NodeEvent e;
  e.init(1, true, 0);
  e.setCallback(probeLighting, 0);
  child->cues.addEvent(e);
  child->cues.fire(0);
  root.addChild(child);
  root.draw();
  EXPECT_TRUE(lightingSeenByChild);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

TEST_F(DrawHooksTest, StateHooksSwitchAndRestore) {
  glEnable(GL_DEPTH_TEST);
  noDepthHook(BeforeChild, 0);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  noDepthHook(AfterChild, 0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glEnable(GL_LIGHTING);
  noLightingHook(BeforeChild, 0);  // children keep their lighting
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  noLightingHook(BeforeMeshes, 0);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  noLightingHook(AfterMeshes, 0);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(DrawHooksTest, LightOneGetsItsColoursAndAttenuation) {
  setupLight1();
  GLfloat v[4];
  for (auto [name, colour] : {std::pair{GL_AMBIENT, kPlainLight1.ambient}, std::pair{GL_DIFFUSE, kPlainLight1.diffuse},
                              std::pair{GL_SPECULAR, kPlainLight1.specular}}) {
    glGetLightfv(GL_LIGHT1, name, v);
    EXPECT_EQ((std::array<float, 3>{v[0], v[1], v[2]}), colour) << name;
    EXPECT_FLOAT_EQ(v[3], 1.0f);
  }
  glGetLightfv(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, v);
  EXPECT_FLOAT_EQ(v[0], 0.0003f);
  glGetLightfv(GL_LIGHT1, GL_CONSTANT_ATTENUATION, v);
  EXPECT_FLOAT_EQ(v[0], 0.0f);
  glGetLightfv(GL_LIGHT1, GL_LINEAR_ATTENUATION, v);
  EXPECT_FLOAT_EQ(v[0], 0.0f);
}

}  // namespace
