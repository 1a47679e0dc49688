#include "resources/model_format.h"

#include <cstring>

#include "resources/little_endian.h"

using namespace modelformat;

namespace {

// Header byte that announces a 4-byte field before the mesh count.
constexpr uint8_t kExtendedHeader = 255;

size_t bytesLeft(const uint8_t* cursor, const uint8_t* end) {
  return cursor < end ? static_cast<size_t>(end - cursor) : 0;
}

}  // namespace

bool readModelHeader(const uint8_t* data, uint32_t size, int32_t& meshCount,
                     const uint8_t*& firstRecord) {
  if (data == nullptr || size < 1) return false;
  size_t countAt = data[0] == kExtendedHeader ? 5 : 1;
  if (size < countAt + 4) return false;
  int32_t count = readI32(data + countAt);
  meshCount = count > 0 ? count : 0;
  firstRecord = data + countAt + 4;
  return true;
}

bool readMeshRecord(const uint8_t*& cursor, const uint8_t* end, MeshRecordView& view) {
  const uint8_t* at = cursor;
  if (bytesLeft(at, end) < 4) return false;
  int32_t nameField = readI32(at);
  at += 4;
  if (nameField < 0 || bytesLeft(at, end) < static_cast<size_t>(nameField)) return false;
  MeshRecordView record;
  record.textureName = reinterpret_cast<const char*>(at);
  // Bounded by the field: a name without its terminator stops at the field's end.
  const void* zero = std::memchr(at, 0, static_cast<size_t>(nameField));
  record.textureNameLength = zero != nullptr ? static_cast<const uint8_t*>(zero) - at
                                             : static_cast<size_t>(nameField);
  at += nameField;

  const size_t fixedPart = kReservedBlockSize + kMaterialSize + 4 + 1;
  if (bytesLeft(at, end) < fixedPart) return false;
  record.reserved = at;
  record.material = at + kReservedBlockSize;
  at += kReservedBlockSize + kMaterialSize;
  int32_t triangles = readI32(at);
  at += 4 + 1;  // count, then one reserved byte
  const uint64_t perTriangle =
      kBytesPerTrianglePositions + kBytesPerTriangleNormals + kBytesPerTriangleTexCoords;
  if (triangles < 0 || bytesLeft(at, end) / perTriangle < static_cast<uint64_t>(triangles)) {
    return false;
  }
  size_t count = static_cast<size_t>(triangles);
  record.triangleCount = triangles;
  record.positions = at;
  record.normals = at + kBytesPerTrianglePositions * count;
  record.texCoords = record.normals + kBytesPerTriangleNormals * count;
  cursor = record.texCoords + kBytesPerTriangleTexCoords * count;
  view = record;
  return true;
}

bool isProceduralTextureName(const std::string& name) {
  return name.size() >= 2 && name[1] == '#';
}
