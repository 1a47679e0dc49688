#include "resources/mesh.h"

#include <GL/gl.h>

#include "resources/blended_mesh_queue.h"
#include "resources/gl_switches.h"
#include "resources/little_endian.h"
#include "resources/material_cache.h"
#include "resources/model_format.h"
#include "resources/model_view_stack.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"

using namespace modelformat;

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
  bounds_ = boundingSphereOf(positions_, 3 * static_cast<int64_t>(triangleCount_));
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

// A mesh wholly outside the view is left out: nothing of it would show,
// and GL would still light and clip every vertex.
void Mesh::draw() {
  if (!loaded_ || !mayBeInView(bounds_, modelViewStack.top())) return;
  if (isBlended()) {
    // Only the queued draw keeps the matrix: an opaque mesh draws under the
    // current one straight away.
    const double* matrix = modelViewStack.top();
    for (int i = 0; i < 16; ++i) capturedMatrix_[i] = matrix[i];
    captureStates();
    blendedMeshQueue.add(this);
    return;
  }
  modelViewStack.loadIntoGl();
  if (hasAlphaTest()) glEnable(GL_ALPHA_TEST);
  drawGeometry();
  if (hasAlphaTest()) glDisable(GL_ALPHA_TEST);
}

// The enable states the blended pass restores for this mesh. The light flags
// are only meaningful, and only refreshed, while lighting is on.
void Mesh::captureStates() {
  const GlSwitches on = currentGlSwitches();
  capturedDepthTest_ = on.depthTest;
  capturedNormalize_ = on.normalize;
  capturedLighting_ = on.lighting;
  if (capturedLighting_) capturedLights_ = on.lightsFromOne;
}

// Leaves the depth test on and normalization, lighting, the captured lights,
// the alpha test and blending off, whatever they were before.
void Mesh::drawBlended() { drawBlendedInRun(nullptr, nullptr); }

void Mesh::drawBlendedInRun(const Mesh* previous, const Mesh* next) {
  if (!loaded_) return;
  if (previous == nullptr || !previous->sameBlendStates(*this)) enterBlendStates();
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(capturedMatrix_);
  modelViewStack.glChangedElsewhere();
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
void Mesh::enterBlendStates() const { switchBlendStates(true); }

// Undoes enterBlendStates.
void Mesh::leaveBlendStates() const { switchBlendStates(false); }

void Mesh::switchBlendStates(bool entering) const {
  if (!capturedDepthTest_) setGlSwitch(GL_DEPTH_TEST, !entering);
  if (capturedNormalize_) setGlSwitch(GL_NORMALIZE, entering);
  if (capturedLighting_) {
    setGlSwitch(GL_LIGHTING, entering);
    for (int i = 0; i < 8; ++i) {
      if (capturedLights_ & (1u << i)) setGlSwitch(GL_LIGHT1 + i, entering);
    }
  }
  if (hasAlphaTest()) setGlSwitch(GL_ALPHA_TEST, entering);
  setGlSwitch(GL_BLEND, entering);
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
