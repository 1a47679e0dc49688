// Model entries. Whatever the bytes: the header and record reader stay
// inside the entry, every record view points inside it, the cursor only
// moves forward, and a texture name is bounded by its own field.
#include <cstdint>
#include <string>

#include "resources/model_format.h"
#include "resources/procedural_name.h"
#include "tests/fuzz/fuzz_check.h"

using namespace modelformat;

namespace {

bool inside(const void* p, size_t length, const uint8_t* begin, const uint8_t* end) {
  const uint8_t* at = static_cast<const uint8_t*>(p);
  return at >= begin && at <= end && static_cast<size_t>(end - at) >= length;
}

void checkRecord(const MeshRecordView& view, const uint8_t* begin, const uint8_t* end) {
  size_t triangles = static_cast<size_t>(view.triangleCount);
  FUZZ_CHECK(view.triangleCount >= 0);
  FUZZ_CHECK(inside(view.textureName, view.textureNameLength, begin, end));
  FUZZ_CHECK(inside(view.reserved, kReservedBlockSize, begin, end));
  FUZZ_CHECK(inside(view.material, kMaterialSize, begin, end));
  FUZZ_CHECK(inside(view.positions, kBytesPerTrianglePositions * triangles, begin, end));
  FUZZ_CHECK(inside(view.normals, kBytesPerTriangleNormals * triangles, begin, end));
  FUZZ_CHECK(inside(view.texCoords, kBytesPerTriangleTexCoords * triangles, begin, end));
  touchBytes(view.textureName, view.textureNameLength);
  touchBytes(view.material, kMaterialSize);
  touchBytes(view.positions, kBytesPerTrianglePositions * triangles);
  touchBytes(view.texCoords, kBytesPerTriangleTexCoords * triangles);
  std::string name = view.textureNameText();
  FUZZ_CHECK(name.find('\0') == std::string::npos);
  ProceduralTextureRequest request;
  if (parseProceduralTextureName(name, request)) FUZZ_CHECK(isProceduralTextureName(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  const uint8_t* end = data + size;
  int32_t meshCount = -1;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(data, static_cast<uint32_t>(size), meshCount, cursor)) return 0;
  FUZZ_CHECK(meshCount >= 0);
  FUZZ_CHECK(inside(cursor, 0, data, end));
  for (int32_t i = 0; i < meshCount; ++i) {
    const uint8_t* before = cursor;
    MeshRecordView view;
    if (!readMeshRecord(cursor, end, view)) {
      FUZZ_CHECK(cursor == before);  // a record that does not fit moves nothing
      break;
    }
    FUZZ_CHECK(cursor > before && cursor <= end);
    checkRecord(view, data, end);
  }
  return 0;
}
