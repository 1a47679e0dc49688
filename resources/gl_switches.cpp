#include "resources/gl_switches.h"

#include <cstdint>
#include <initializer_list>

namespace {

// One bit per tracked state; GL's defaults are all off.
uint32_t switchesOn = 0;

int bitOf(GLenum state) {
  switch (state) {
    case GL_DEPTH_TEST:
      return 0;
    case GL_NORMALIZE:
      return 1;
    case GL_LIGHTING:
      return 2;
    default:
      if (state >= GL_LIGHT0 && state < GL_LIGHT0 + 8) return 3 + static_cast<int>(state - GL_LIGHT0);
      return -1;
  }
}

}  // namespace

void setGlSwitch(GLenum state, bool on) {
  if (on) {
    glEnable(state);
  } else {
    glDisable(state);
  }
  const int bit = bitOf(state);
  if (bit < 0) return;
  if (on) {
    switchesOn |= 1u << bit;
  } else {
    switchesOn &= ~(1u << bit);
  }
}

GlSwitches currentGlSwitches() {
  return {(switchesOn & 1u) != 0, (switchesOn & 2u) != 0, (switchesOn & 4u) != 0,
          static_cast<uint8_t>(switchesOn >> bitOf(GL_LIGHT1))};
}

// A light past the driver's limit does not exist and reads as off; asking
// GL about it would raise an error.
void readGlSwitches() {
  GLint lights = 8;
  glGetIntegerv(GL_MAX_LIGHTS, &lights);
  switchesOn = 0;
  for (GLenum state : {GLenum(GL_DEPTH_TEST), GLenum(GL_NORMALIZE), GLenum(GL_LIGHTING)}) {
    if (glIsEnabled(state)) switchesOn |= 1u << bitOf(state);
  }
  for (int i = 0; i < 8 && i < lights; ++i) {
    if (glIsEnabled(GL_LIGHT0 + i)) switchesOn |= 1u << bitOf(GL_LIGHT0 + i);
  }
}
