#include "tests/support/gl_test_context.h"

#include <GL/gl.h>
#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"

void GlTest::SetUp() {
  context.reset(new OffscreenGlContext(width, height));
  ASSERT_TRUE(context->ok()) << "no offscreen GL context";
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  modelViewStack.loadIdentity();
  readGlSwitches();
}

void GlTest::TearDown() { context.reset(); }

// The matrix the scene draws under, which it keeps on the CPU.
void GlTest::modelView(double m[16]) {
  for (int i = 0; i < 16; ++i) m[i] = modelViewStack.top()[i];
}
