#include "resources/mesh.h"

#include <GL/gl.h>

#include "resources/blended_mesh_queue.h"
#include "resources/little_endian.h"
#include "resources/material_cache.h"
#include "resources/model_format.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"

using namespace modelformat;

namespace {

// Light flags cover GL_LIGHT1 and the seven after it; the last of those is
// past the eight lights most implementations have, and asking about a light
// that does not exist would raise a GL error.
GLint lightCount() {
  GLint maxLights = 8;
  glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
  return maxLights;
}

}  // namespace

Mesh::Mesh() = default;

// Gives the texture back to whichever cache made it; an archive texture also
// ends this mesh's use of the archive.
Mesh::~Mesh() {
  if (!loaded_) return;
  if (procedural_) {
    proceduralTextureCache.release(textureOwner_);
  } else {
    pakCache.releaseTexture(textureOwner_, texture_);
  }
}

bool Mesh::load(const uint8_t*& cursor, const uint8_t* end, const std::string& archiveName) {
  if (loaded_) return false;
  MeshRecordView record;
  if (!readMeshRecord(cursor, end, record)) return false;
  textureName_ = record.textureName;
  textureNameLength_ = record.textureNameLength;
  material_ = record.material;
  triangleCount_ = record.triangleCount;
  positions_ = record.positions;
  normals_ = record.normals;
  texCoords_ = record.texCoords;
  acquireTexture(archiveName);
  loaded_ = true;
  return true;
}

void Mesh::acquireTexture(const std::string& archiveName) {
  std::string name = textureName();
  procedural_ = isProceduralTextureName(name);
  if (procedural_) {
    textureOwner_ = name;
    texture_ = proceduralTextureCache.acquire(name);
  } else {
    textureOwner_ = archiveName;
    texture_ = pakCache.acquireTexture(archiveName, name);
  }
}

bool Mesh::isBlended() const { return loaded_ && material_[kBlendedFlag] != 0; }

bool Mesh::hasAlphaTest() const { return loaded_ && material_[kAlphaTestFlag] != 0; }

void Mesh::draw() {
  if (!loaded_) return;
  if (isBlended()) {
    // Only the queued draw needs the matrix back: an opaque mesh draws
    // under the current one straight away.
    glGetDoublev(GL_MODELVIEW_MATRIX, capturedMatrix_);
    captureStates();
    blendedMeshQueue.add(this);
    return;
  }
  if (hasAlphaTest()) glEnable(GL_ALPHA_TEST);
  drawGeometry();
  if (hasAlphaTest()) glDisable(GL_ALPHA_TEST);
}

// The enable states the blended pass restores for this mesh. The light flags
// are only meaningful, and only refreshed, while lighting is on.
void Mesh::captureStates() {
  capturedDepthTest_ = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
  capturedNormalize_ = glIsEnabled(GL_NORMALIZE) == GL_TRUE;
  capturedLighting_ = glIsEnabled(GL_LIGHTING) == GL_TRUE;
  if (!capturedLighting_) return;
  // Asked once per process: the limit is the driver's, and a process draws
  // through one driver.
  static const GLint lights = lightCount();
  capturedLights_ = 0;
  for (int i = 0; i < 8; ++i) {
    if (1 + i < lights && glIsEnabled(GL_LIGHT1 + i)) capturedLights_ |= 1u << i;
  }
}

// Leaves the depth test on and normalization, lighting, the captured lights,
// the alpha test and blending off, whatever they were before.
void Mesh::drawBlended() { drawBlendedInRun(nullptr, nullptr); }

void Mesh::drawBlendedInRun(const Mesh* previous, const Mesh* next) {
  if (!loaded_) return;
  if (previous == nullptr || !previous->sameBlendStates(*this)) enterBlendStates();
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(capturedMatrix_);
  if (previous != nullptr && previous->sameDrawSource(*this)) {
    drawArrays();
  } else {
    drawGeometry();
  }
  if (next == nullptr || !next->sameBlendStates(*this)) leaveBlendStates();
}

// Whether `other` switches on exactly the states this mesh does for its
// blended draw. Light flags only count while lighting was on.
bool Mesh::sameBlendStates(const Mesh& other) const {
  if (!loaded_ || !other.loaded_) return false;
  if (capturedDepthTest_ != other.capturedDepthTest_ ||
      capturedNormalize_ != other.capturedNormalize_ ||
      capturedLighting_ != other.capturedLighting_ || hasAlphaTest() != other.hasAlphaTest()) {
    return false;
  }
  return !capturedLighting_ || capturedLights_ == other.capturedLights_;
}

// The same mesh record: what drawGeometry binds and points at is the same.
bool Mesh::sameDrawSource(const Mesh& other) const {
  return loaded_ && other.loaded_ && texture_ == other.texture_ &&
         material_ == other.material_ && positions_ == other.positions_ &&
         normals_ == other.normals_ && texCoords_ == other.texCoords_ &&
         triangleCount_ == other.triangleCount_;
}

// The states a blended draw switches on for its capture, and blending.
void Mesh::enterBlendStates() const {
  if (!capturedDepthTest_) glDisable(GL_DEPTH_TEST);
  if (capturedNormalize_) glEnable(GL_NORMALIZE);
  if (capturedLighting_) {
    glEnable(GL_LIGHTING);
    for (int i = 0; i < 8; ++i) {
      if (capturedLights_ & (1u << i)) glEnable(GL_LIGHT1 + i);
    }
  }
  if (hasAlphaTest()) glEnable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
}

// Undoes enterBlendStates.
void Mesh::leaveBlendStates() const {
  if (!capturedDepthTest_) glEnable(GL_DEPTH_TEST);
  if (capturedNormalize_) glDisable(GL_NORMALIZE);
  if (capturedLighting_) {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < 8; ++i) {
      if (capturedLights_ & (1u << i)) glDisable(GL_LIGHT1 + i);
    }
  }
  if (hasAlphaTest()) glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}

// Colours are stored as RGBA floats at unaligned offsets, so they are copied
// out before OpenGL sees them.
void Mesh::applyMaterial() {
  GLfloat colours[3][4];
  const size_t offsets[] = {kSpecular, kDiffuse, kAmbient};
  for (int i = 0; i < 3; ++i) {
    for (int c = 0; c < 4; ++c) colours[i][c] = readF32(material_ + offsets[i] + 4 * c);
  }
  materialCache.apply(readF32(material_ + kShininess), colours[0], colours[1], colours[2]);
}

// One array draw straight from archive memory: 3n vertices, independent
// triangles. The client arrays were enabled when the context was made.
void Mesh::drawGeometry() {
  glBindTexture(GL_TEXTURE_2D, texture_);
  applyMaterial();
  glVertexPointer(3, GL_DOUBLE, 0, positions_);
  glNormalPointer(GL_DOUBLE, 0, normals_);
  glTexCoordPointer(2, GL_DOUBLE, 0, texCoords_);
  drawArrays();
}

void Mesh::drawArrays() const {
  if (triangleCount_ > 0) glDrawArrays(GL_TRIANGLES, 0, 3 * triangleCount_);
}
