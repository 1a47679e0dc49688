#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "resources/view_frustum.h"

// One textured triangle list with one material, read in place from a model
// entry held in archive memory. Vertex data is never copied: the archive must
// outlive the mesh (the archive cache guarantees it).
class Mesh {
 public:
  Mesh();
  ~Mesh();
  Mesh(const Mesh&) = delete;
  Mesh& operator=(const Mesh&) = delete;

  // Reads one mesh record at `cursor` (no further than `end`), advances the
  // cursor past it and acquires the texture. False when the record does not
  // fit in [cursor, end); the mesh then holds nothing and acquired nothing.
  bool load(const uint8_t*& cursor, const uint8_t* end, const std::string& archiveName);

  // Draws now with the current model-view matrix, or queues a blended mesh.
  void draw();

  // Draws a queued mesh with its captured matrix and enable states.
  void drawBlended();

  // drawBlended for one mesh of the queue, between its neighbours there
  // (either may be null). Consecutive meshes that captured the same enable
  // states (smoke sprites, one after another) share one switch on and one
  // switch off of them, and one that draws the same record as `previous`
  // (same texture, material and arrays) reuses what that one set. Every
  // draw sees the same state as with drawBlended, and the last one leaves
  // the same state behind.
  void drawBlendedInRun(const Mesh* previous, const Mesh* next);

  int32_t triangleCount() const { return triangleCount_; }
  uint32_t texture() const { return texture_; }
  bool isProcedural() const { return procedural_; }
  // The texture name as stored in the record, up to its terminator.
  std::string textureName() const { return std::string(textureName_, textureNameLength_); }
  bool isBlended() const;
  bool hasAlphaTest() const;

 private:
  const uint8_t* material_ = nullptr;
  bool capturedDepthTest_ = false;
  bool capturedNormalize_ = false;
  bool capturedLighting_ = false;
  uint8_t capturedLights_ = 0;  // bit i: GL_LIGHT1 + i was on
  int32_t triangleCount_ = 0;
  const uint8_t* positions_ = nullptr;
  const uint8_t* normals_ = nullptr;
  const uint8_t* texCoords_ = nullptr;
  std::string textureOwner_;
  const char* textureName_ = "";
  size_t textureNameLength_ = 0;
  uint32_t texture_ = 0;
  bool procedural_ = false;
  double capturedMatrix_[16] = {};
  BoundingSphere bounds_;
  bool loaded_ = false;

  void acquireTexture(const std::string& archiveName);
  void captureStates();
  bool sameBlendStates(const Mesh& other) const;
  bool sameDrawSource(const Mesh& other) const;
  void enterBlendStates() const;
  void leaveBlendStates() const;
  void switchBlendStates(bool entering) const;
  void drawGeometry();
  void drawArrays() const;
  void applyMaterial();
};
