#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The layout of a model entry, read without OpenGL (the mesh loader and the
// archive tool share it). Little-endian, packed:
//   header byte; when it is 255, a 4-byte field that is skipped;
//   int32 mesh count M; M mesh records back to back.
// Mesh record: int32 T; T bytes texture name (zero-terminated inside the
// field); 80 reserved bytes; 60-byte material; int32 triangle count n;
// 1 reserved byte; 3n positions, 3n normals (x, y, z doubles) and 3n
// texture coordinates (s, t doubles).

namespace modelformat {

constexpr size_t kReservedBlockSize = 80;
constexpr size_t kMaterialSize = 60;
constexpr size_t kBytesPerTrianglePositions = 3 * 3 * sizeof(double);  // 72
constexpr size_t kBytesPerTriangleNormals = 3 * 3 * sizeof(double);    // 72
constexpr size_t kBytesPerTriangleTexCoords = 3 * 2 * sizeof(double);  // 48

// Material block offsets: two flag bytes, then RGBA float colours and the
// float shininess.
constexpr size_t kAlphaTestFlag = 0;
constexpr size_t kBlendedFlag = 1;
constexpr size_t kAmbient = 4;
constexpr size_t kDiffuse = 20;
constexpr size_t kSpecular = 36;
constexpr size_t kShininess = 52;

}  // namespace modelformat

// One mesh record as pointers into the entry's bytes.
struct MeshRecordView {
  const char* textureName = nullptr;
  // Bytes of the name before its terminator or the end of its field.
  size_t textureNameLength = 0;
  const uint8_t* reserved = nullptr;
  const uint8_t* material = nullptr;
  int32_t triangleCount = 0;
  const uint8_t* positions = nullptr;
  const uint8_t* normals = nullptr;
  const uint8_t* texCoords = nullptr;

  std::string textureNameText() const { return std::string(textureName, textureNameLength); }
};

// Reads the header of the model entry [data, data + size). False when the
// header does not fit; otherwise sets the mesh count (negative counts read
// as 0) and where the first record starts.
bool readModelHeader(const uint8_t* data, uint32_t size, int32_t& meshCount,
                     const uint8_t*& firstRecord);

// Reads the record at `cursor` and moves the cursor past it. False, with
// cursor and view untouched, when the record does not fit before `end`.
bool readMeshRecord(const uint8_t*& cursor, const uint8_t* end, MeshRecordView& view);

// A texture name whose second character is '#' names a computed texture;
// anything else names an image entry of the model's archive.
bool isProceduralTextureName(const std::string& name);
