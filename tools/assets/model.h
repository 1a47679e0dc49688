#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assets/geometry.h"

// Colours of a mesh's material as the fixed-function pipeline takes them.
// Values above 1 are allowed: the scene's one light is dim, so lit parts
// need generous reflectances to read at all.
struct Material {
  float ambient[4] = {1, 1, 1, 1};
  float diffuse[4] = {1, 1, 1, 1};
  float specular[4] = {0, 0, 0, 1};
  float shininess = 0;
  bool alphaTest = false;  // cut-out: fragments with alpha <= 0.9 are dropped
  bool blended = false;    // drawn at the end of the frame, depth writes off
};

// A lit material: ambient and diffuse from one colour, a specular sheen.
Material litMaterial(float r, float g, float b, float specular, float shininess);
// A material for unlit parts: the texture alone gives the colour.
Material unlitMaterial();

// One mesh record: a texture name (an image entry of the same archive, or a
// computed texture such as "x#Fire64/64"), a material and its triangles.
struct MeshPart {
  std::string texture;
  Material material;
  TriangleList triangles;
};

// A model entry: meshes drawn in order.
struct Model {
  std::vector<MeshPart> meshes;

  // Adds triangles to the mesh with this texture and material name key,
  // creating it at the end when it does not exist yet.
  MeshPart& part(const std::string& texture, const Material& material);
  size_t triangleCount() const;
  void bounds(Vec3& low, Vec3& high) const;
};

// Serialises a model entry: header byte 0, mesh count, then per mesh the
// texture-name field (name plus terminator), 80 zero reserved bytes, the
// 60-byte material, the triangle count, a zero reserved byte and the
// positions, normals and texture coordinates as little-endian doubles.
std::vector<uint8_t> encodeModel(const Model& model);
