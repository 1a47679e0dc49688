#include "tools/assets/model.h"

#include <cstring>

Material litMaterial(float r, float g, float b, float specular, float shininess) {
  Material m;
  float c[4] = {r, g, b, 1};
  std::memcpy(m.ambient, c, sizeof c);
  std::memcpy(m.diffuse, c, sizeof c);
  for (int i = 0; i < 3; ++i) m.specular[i] = specular;
  m.shininess = shininess;
  return m;
}

Material unlitMaterial() { return Material(); }

static bool sameMaterial(const Material& a, const Material& b) {
  return std::memcmp(a.ambient, b.ambient, sizeof a.ambient) == 0 &&
         std::memcmp(a.diffuse, b.diffuse, sizeof a.diffuse) == 0 &&
         std::memcmp(a.specular, b.specular, sizeof a.specular) == 0 &&
         a.shininess == b.shininess && a.alphaTest == b.alphaTest && a.blended == b.blended;
}

MeshPart& Model::part(const std::string& texture, const Material& material) {
  for (MeshPart& p : meshes)
    if (p.texture == texture && sameMaterial(p.material, material)) return p;
  meshes.push_back(MeshPart{texture, material, {}});
  return meshes.back();
}

size_t Model::triangleCount() const {
  size_t n = 0;
  for (const MeshPart& p : meshes) n += p.triangles.triangleCount();
  return n;
}

void Model::bounds(Vec3& low, Vec3& high) const {
  TriangleList all;
  for (const MeshPart& p : meshes) all.append(p.triangles);
  all.bounds(low, high);
}

namespace {

struct ByteWriter {
  std::vector<uint8_t> bytes;

  void u8(uint8_t v) { bytes.push_back(v); }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  }
  void f32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    u32(bits);
  }
  void f64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) bytes.push_back(uint8_t(bits >> (8 * i)));
  }
  void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
};

void writeMaterial(ByteWriter& w, const Material& m) {
  w.u8(m.alphaTest ? 1 : 0);
  w.u8(m.blended ? 1 : 0);
  w.zeros(2);
  for (float v : m.ambient) w.f32(v);
  for (float v : m.diffuse) w.f32(v);
  for (float v : m.specular) w.f32(v);
  w.f32(m.shininess);
  w.zeros(4);
}

void writeMesh(ByteWriter& w, const MeshPart& mesh) {
  w.u32(uint32_t(mesh.texture.size() + 1));
  w.bytes.insert(w.bytes.end(), mesh.texture.begin(), mesh.texture.end());
  w.u8(0);
  w.zeros(80);
  writeMaterial(w, mesh.material);
  const std::vector<Vertex>& v = mesh.triangles.vertices;
  w.u32(uint32_t(v.size() / 3));
  w.u8(0);
  size_t count = v.size() / 3 * 3;
  for (size_t i = 0; i < count; ++i) {
    w.f64(v[i].position.x);
    w.f64(v[i].position.y);
    w.f64(v[i].position.z);
  }
  for (size_t i = 0; i < count; ++i) {
    w.f64(v[i].normal.x);
    w.f64(v[i].normal.y);
    w.f64(v[i].normal.z);
  }
  for (size_t i = 0; i < count; ++i) {
    w.f64(v[i].s);
    w.f64(v[i].t);
  }
}

}  // namespace

std::vector<uint8_t> encodeModel(const Model& model) {
  ByteWriter w;
  w.u8(0);
  uint32_t meshes = 0;
  for (const MeshPart& m : model.meshes)
    if (!m.triangles.vertices.empty()) ++meshes;
  w.u32(meshes);
  for (const MeshPart& m : model.meshes)
    if (!m.triangles.vertices.empty()) writeMesh(w, m);
  return w.bytes;
}
