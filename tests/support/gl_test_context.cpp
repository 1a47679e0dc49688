#include "tests/support/gl_test_context.h"

#include <GL/gl.h>

void GlTest::SetUp() {
  context.reset(new OffscreenGlContext(width, height));
  ASSERT_TRUE(context->ok()) << "no offscreen GL context";
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void GlTest::TearDown() { context.reset(); }

void GlTest::modelView(double m[16]) { glGetDoublev(GL_MODELVIEW_MATRIX, m); }
