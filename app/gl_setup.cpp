#include "app/gl_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <vector>

#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"
#include "resources/view_frustum.h"

#ifndef GL_LIGHT_MODEL_COLOR_CONTROL
#define GL_LIGHT_MODEL_COLOR_CONTROL 0x81F8
#endif
#ifndef GL_SEPARATE_SPECULAR_COLOR
#define GL_SEPARATE_SPECULAR_COLOR 0x81FA
#endif

namespace {

constexpr double kFieldOfViewDegrees = 45.0;
constexpr double kNearPlane = static_cast<double>(0.1f);
constexpr double kFarPlane = 250.0;

bool hasExtension(const char* name) {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (extensions == nullptr) return false;
  std::vector<char> copy(std::strlen(extensions) + 1);
  std::memcpy(copy.data(), extensions, copy.size());
  return std::strstr(copy.data(), name) != nullptr;
}

}  // namespace

void applyFixedGlState() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glAlphaFunc(GL_GREATER, 0.9f);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  if (hasExtension("GL_EXT_separate_specular_color")) {
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  }
  readGlSwitches();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnable(GL_TEXTURE_2D);
}

EyePoint setProjection(int width, int height, int x, int y) {
  if (height == 0) height = 1;
  float aspect = static_cast<float>(width) / static_cast<float>(height);
  glViewport(x, y, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
  setViewFrustum(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  modelViewStack.loadIdentity();
  modelViewStack.glChangedElsewhere();

  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EyePoint corner;
  gluUnProject(x, y, -1.0, modelView, projection, viewport, &corner.x, &corner.y, &corner.z);
  return corner;
}
