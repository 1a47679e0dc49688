#include "resources/material_cache.h"

#include <cstring>

MaterialCache materialCache;

void MaterialCache::beginFrame() {
  forget();
  inFrame_ = true;
}

void MaterialCache::endFrame() {
  forget();
  inFrame_ = false;
}

void MaterialCache::forget() {
  shininessKnown_ = false;
  specular_.known = diffuse_.known = ambient_.known = false;
}

void MaterialCache::apply(GLfloat shininess, const GLfloat specular[4], const GLfloat diffuse[4],
                          const GLfloat ambient[4]) {
  // Compared as bits: the value OpenGL was given, not a numeric equality
  // that would take -0 for 0.
  if (!shininessKnown_ || std::memcmp(&shininess_, &shininess, sizeof shininess) != 0) {
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
    shininess_ = shininess;
    shininessKnown_ = inFrame_;
  }
  setColour(GL_SPECULAR, specular_, specular);
  setColour(GL_DIFFUSE, diffuse_, diffuse);
  setColour(GL_AMBIENT, ambient_, ambient);
}

void MaterialCache::setColour(GLenum name, Colour& current, const GLfloat wanted[4]) {
  if (current.known && std::memcmp(current.value, wanted, sizeof current.value) == 0) return;
  glMaterialfv(GL_FRONT_AND_BACK, name, wanted);
  std::memcpy(current.value, wanted, sizeof current.value);
  current.known = inFrame_;
}
