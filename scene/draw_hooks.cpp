#include "scene/draw_hooks.h"

#include <GL/gl.h>

#include <utility>

#include "scene/scene_node.h"

namespace {

bool opensPhase(int32_t phase) { return phase == BeforeMeshes || phase == BeforeChild; }
bool closesPhase(int32_t phase) { return phase == AfterMeshes || phase == AfterChild; }

}  // namespace

void lightingHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
  } else if (closesPhase(phase)) {
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
  }
}

void noDepthHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    glDisable(GL_DEPTH_TEST);
  } else if (closesPhase(phase)) {
    glEnable(GL_DEPTH_TEST);
  }
}

void billboardHook(int32_t phase, int32_t) {
  if (phase == BeforeMeshes) {
    glPushMatrix();
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int column = 0; column < 3; ++column) {
      for (int row = 0; row < 3; ++row) m[column * 4 + row] = column == row ? 1.0 : 0.0;
    }
    glLoadMatrixd(m);
  } else if (phase == AfterMeshes) {
    glPopMatrix();
  }
}

void noLightingHook(int32_t phase, int32_t) {
  if (phase == BeforeMeshes) {
    glDisable(GL_LIGHTING);
  } else if (phase == AfterMeshes) {
    glEnable(GL_LIGHTING);
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
