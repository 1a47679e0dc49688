#pragma once
#include <GL/gl.h>

// The eye-space positions of the eight lights. Events place lights as the
// scene advances, some after meshes those lights fall on were drawn, so
// the meshes see where the light stood in the frame before. A picture
// drawn again for another monitor starts from the positions the frame's
// first picture started from, and the next frame from those it left.
class LightPositions {
 public:
  void save();
  void restore() const;

 private:
  static constexpr int kLights = 8;  // every OpenGL has at least eight
  GLfloat position_[kLights][4] = {};
};
