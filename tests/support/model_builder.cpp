#include "tests/support/model_builder.h"

#include <cstring>

namespace {

template <typename T>
void put(std::vector<uint8_t>& out, T value) {
  uint8_t bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));  // the host is little-endian like the format
  out.insert(out.end(), bytes, bytes + sizeof(T));
}

void putColour(std::vector<uint8_t>& out, const float colour[4]) {
  for (int i = 0; i < 4; ++i) put(out, colour[i]);
}

}  // namespace

std::vector<uint8_t> buildMeshRecord(const TestMeshRecord& mesh) {
  std::vector<uint8_t> out;
  int32_t field = mesh.nameField >= 0 ? mesh.nameField
                                      : static_cast<int32_t>(mesh.textureName.size() + 1);
  put(out, field);
  int32_t written = mesh.omitNameBytes ? 0 : field;
  for (int32_t i = 0; i < written; ++i) {
    out.push_back(i < static_cast<int32_t>(mesh.textureName.size())
                      ? static_cast<uint8_t>(mesh.textureName[i])
                      : 0);
  }
  out.insert(out.end(), 80, 0xAB);  // reserved block
  out.push_back(mesh.alphaTest ? 1 : 0);
  out.push_back(mesh.blended ? 1 : 0);
  out.insert(out.end(), 2, 0);
  putColour(out, mesh.ambient);
  putColour(out, mesh.diffuse);
  putColour(out, mesh.specular);
  put(out, mesh.shininess);
  out.insert(out.end(), 4, 0);
  int32_t triangles = static_cast<int32_t>(mesh.positions.size() / 9);
  put(out, mesh.claimedTriangles >= 0 ? mesh.claimedTriangles : triangles);
  out.push_back(0);
  for (double v : mesh.positions) put(out, v);
  for (double v : mesh.normals) put(out, v);
  for (double v : mesh.texCoords) put(out, v);
  return out;
}

std::vector<uint8_t> buildModel(const std::vector<TestMeshRecord>& meshes, uint8_t headerByte,
                                int32_t claimedCount) {
  std::vector<uint8_t> out;
  out.push_back(headerByte);
  if (headerByte == 255) put(out, int32_t{0x12345678});
  put(out, claimedCount >= 0 ? claimedCount : static_cast<int32_t>(meshes.size()));
  for (const TestMeshRecord& mesh : meshes) {
    std::vector<uint8_t> record = buildMeshRecord(mesh);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
}

TestMeshRecord quadRecord(const std::string& textureName, double x0, double y0, double x1,
                          double y1, double z) {
  TestMeshRecord mesh;
  mesh.textureName = textureName;
  const double corners[6][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x1, y1, 1, 1},
                                {x0, y0, 0, 0}, {x1, y1, 1, 1}, {x0, y1, 0, 1}};
  for (const auto& c : corners) {
    mesh.positions.insert(mesh.positions.end(), {c[0], c[1], z});
    mesh.normals.insert(mesh.normals.end(), {0.0, 0.0, 1.0});
    mesh.texCoords.insert(mesh.texCoords.end(), {c[2], c[3]});
  }
  return mesh;
}
