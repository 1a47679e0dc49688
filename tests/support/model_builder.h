#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes model entries in the archive's model format, for tests.
struct TestMeshRecord {
  std::string textureName;
  // Size of the texture-name field; -1 means the name plus its terminator.
  int32_t nameField = -1;
  // Writes the field size but none of its bytes (a damaged record).
  bool omitNameBytes = false;
  bool alphaTest = false;
  bool blended = false;
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;
  // Per vertex, three per triangle.
  std::vector<double> positions;  // x, y, z
  std::vector<double> normals;    // x, y, z
  std::vector<double> texCoords;  // s, t
  // Written in place of the real triangle count when not -1.
  int32_t claimedTriangles = -1;
};

// A model entry: header byte (255 adds a 4-byte field), mesh count, records.
std::vector<uint8_t> buildModel(const std::vector<TestMeshRecord>& meshes,
                                uint8_t headerByte = 0, int32_t claimedCount = -1);

// One record alone.
std::vector<uint8_t> buildMeshRecord(const TestMeshRecord& mesh);

// A square from (x0, y0) to (x1, y1) at depth z facing +z, two triangles,
// texture coordinates spanning 0..1.
TestMeshRecord quadRecord(const std::string& textureName, double x0, double y0, double x1,
                          double y1, double z);
