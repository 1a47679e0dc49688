#pragma once
#include <GL/gl.h>

// The material the meshes have set so far in the frame being drawn, so that
// a mesh skips the calls for values already in place (neighbouring meshes
// often share shininess and specular colour). Trusted only between
// beginFrame and endFrame: between frames anything (another context, a
// replay, a test) may set the material, so each frame starts knowing
// nothing. Within a frame meshes are the only code that sets the material:
// colour material is never enabled and no attribute stack is used.
class MaterialCache {
 public:
  void beginFrame();
  void endFrame();

  // Sets shininess and the specular, diffuse and ambient colours of both
  // faces; outside a frame, or for values not known to be in place, through
  // OpenGL.
  void apply(GLfloat shininess, const GLfloat specular[4], const GLfloat diffuse[4],
             const GLfloat ambient[4]);

 private:
  struct Colour {
    bool known = false;
    GLfloat value[4] = {};
  };
  bool inFrame_ = false;
  bool shininessKnown_ = false;
  GLfloat shininess_ = 0;
  Colour specular_, diffuse_, ambient_;

  void forget();
  void setColour(GLenum name, Colour& current, const GLfloat wanted[4]);
};

extern MaterialCache materialCache;
