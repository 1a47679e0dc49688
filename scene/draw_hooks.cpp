#include "scene/draw_hooks.h"

#include <GL/gl.h>

#include <utility>

#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"
#include "scene/scene_node.h"

namespace {

bool opensPhase(int32_t phase) { return phase == BeforeMeshes || phase == BeforeChild; }
bool closesPhase(int32_t phase) { return phase == AfterMeshes || phase == AfterChild; }

}  // namespace

void lightingHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    setGlSwitch(GL_LIGHTING, true);
    setGlSwitch(GL_LIGHT1, true);
  } else if (closesPhase(phase)) {
    setGlSwitch(GL_LIGHT1, false);
    setGlSwitch(GL_LIGHTING, false);
  }
}

void noDepthHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    setGlSwitch(GL_DEPTH_TEST, false);
  } else if (closesPhase(phase)) {
    setGlSwitch(GL_DEPTH_TEST, true);
  }
}

void billboardHook(int32_t phase, int32_t) {
  if (phase == BeforeMeshes) {
    modelViewStack.push();
    modelViewStack.faceTheEye();
  } else if (phase == AfterMeshes) {
    modelViewStack.pop();
  }
}

void noLightingHook(int32_t phase, int32_t) {
  if (phase == BeforeMeshes) {
    setGlSwitch(GL_LIGHTING, false);
  } else if (phase == AfterMeshes) {
    setGlSwitch(GL_LIGHTING, true);
  }
}

void setLight1Colours(const Light1Colours& colours) {
  for (auto [name, colour] : {std::pair{GL_AMBIENT, &colours.ambient}, std::pair{GL_DIFFUSE, &colours.diffuse},
                              std::pair{GL_SPECULAR, &colours.specular}}) {
    const GLfloat value[4] = {(*colour)[0], (*colour)[1], (*colour)[2], 1.0f};
    glLightfv(GL_LIGHT1, name, value);
  }
}

void setupLight1() {
  setLight1Colours(kPlainLight1);
  glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, kLight1QuadraticAttenuation);
}
