#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "resources/model_view_stack.h"
#include "resources/view_frustum.h"
#include "tests/support/gl_test_context.h"

namespace {

class ViewSpaceTest : public GlTest {};

void expectNear(const double* got, const double* wanted, const char* step) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], wanted[i], 1e-5) << step << " element " << i;
}

// The CPU stack follows GL's own matrix calls step by step.
TEST_F(ViewSpaceTest, ModelViewStackMovesAsGlDoes) {
  double gl[16];
  modelViewStack.loadIdentity();
  glLoadIdentity();
  modelViewStack.translate(1.5, -2, 7);
  glTranslated(1.5, -2, 7);
  for (int axis = 0; axis < 3; ++axis) {
    modelViewStack.rotate(33 + 20 * axis, axis);
    glRotated(33 + 20 * axis, axis == 0, axis == 1, axis == 2);
    glGetDoublev(GL_MODELVIEW_MATRIX, gl);
    expectNear(modelViewStack.top(), gl, "rotate");
  }
  modelViewStack.push();
  glPushMatrix();
  modelViewStack.scale(2, 0.5, 3);
  glScaled(2, 0.5, 3);
  modelViewStack.translate(-4, 1, 0.25);
  glTranslated(-4, 1, 0.25);
  glGetDoublev(GL_MODELVIEW_MATRIX, gl);
  expectNear(modelViewStack.top(), gl, "scale and move");
  modelViewStack.pop();
  modelViewStack.pop();  // one too many: ignored, as GL refuses it
  glPopMatrix();
  glGetDoublev(GL_MODELVIEW_MATRIX, gl);
  expectNear(modelViewStack.top(), gl, "pop");
}

// Whether any of the points is inside GL's clip volume under the matrices.
bool anyInsideClipVolume(const std::vector<double>& points, const double* modelView,
                         const double* projection) {
  for (size_t p = 0; p + 2 < points.size(); p += 3) {
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r) {
      eye[r] = modelView[r] * points[p] + modelView[4 + r] * points[p + 1] +
               modelView[8 + r] * points[p + 2] + modelView[12 + r];
    }
    for (int r = 0; r < 4; ++r) {
      clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                projection[12 + r] * eye[3];
    }
    const double w = clip[3];
    if (w > 0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w) {
      return true;
    }
  }
  return false;
}

// A mesh is left out only when none of it could show: random spheres,
// given as the points of a mesh, under turned and stretched matrices,
// checked against GL's own projection of the points. A good share must be
// left out, or the test would pass with no culling at all.
TEST_F(ViewSpaceTest, OnlyMeshesWhollyOutsideTheViewAreLeftOut) {
  const double aspect = 16.0 / 9.0;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, aspect, 0.1, 250.0);
  double projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_MODELVIEW);
  setViewFrustum(45.0, aspect, 0.1, 250.0);

  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  int leftOut = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    // Points on a sphere round a centre, stored as a mesh stores them.
    const double cx = 40 * unit(random), cy = 40 * unit(random), cz = 40 * unit(random);
    const double radius = 0.5 + 6 * (unit(random) + 1);
    std::vector<double> points;
    for (int k = 0; k < 400; ++k) {
      double dx = unit(random), dy = unit(random), dz = unit(random);
      const double length = std::sqrt(dx * dx + dy * dy + dz * dz) + 1e-12;
      const double s = k < 200 ? radius / length : radius * (unit(random) + 1) / 2 / length;
      points.insert(points.end(), {cx + dx * s, cy + dy * s, cz + dz * s});
    }
    std::vector<uint8_t> bytes(points.size() * sizeof(double) + 1);
    std::memcpy(bytes.data() + 1, points.data(), points.size() * sizeof(double));  // unaligned
    const BoundingSphere sphere = boundingSphereOf(bytes.data() + 1, points.size() / 3);

    modelViewStack.loadIdentity();
    modelViewStack.translate(0, 0, -60 * (unit(random) + 1.2));
    modelViewStack.rotate(180 * unit(random), trial % 3);
    modelViewStack.scale(1 + unit(random) * 0.5, 1, 1 + unit(random) * 0.5);
    if (!mayBeInView(sphere, modelViewStack.top())) {
      ++leftOut;
      EXPECT_FALSE(anyInsideClipVolume(points, modelViewStack.top(), projection)) << "trial " << trial;
    }
  }
  EXPECT_GT(leftOut, 400);
  forgetViewFrustum();
  EXPECT_TRUE(mayBeInView(BoundingSphere{0, 0, 1000, 1}, modelViewStack.top()));
}

}  // namespace
