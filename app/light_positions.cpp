#include "app/light_positions.h"

void LightPositions::save() {
  for (int i = 0; i < kLights; ++i) glGetLightfv(GL_LIGHT0 + i, GL_POSITION, position_[i]);
}

// Positions are kept in eye space, so with an identity model-view matrix
// they are set back exactly as read.
void LightPositions::restore() const {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  for (int i = 0; i < kLights; ++i) glLightfv(GL_LIGHT0 + i, GL_POSITION, position_[i]);
  glPopMatrix();
}
