#pragma once

#include <GL/gl.h>

#include <cstdint>

// The enable states the blended queue restores for each mesh it defers:
// the depth test, normalization, lighting and the eight lights. They are
// switched through here so that their values are known without asking GL
// for each deferred mesh. Any other state is passed straight to GL.
void setGlSwitch(GLenum state, bool on);
// The tracked states at once, as the blended queue keeps them for a mesh.
struct GlSwitches {
  bool depthTest;
  bool normalize;
  bool lighting;
  uint8_t lightsFromOne;  // bit i: GL_LIGHT1 + i is on
};
GlSwitches currentGlSwitches();

// Reads the tracked states from the current context once, for a context
// whose states were set before, or by someone else.
void readGlSwitches();
