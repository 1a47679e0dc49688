#include "tests/assets/archive_reading.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/png_file.h"
#include "resources/model_format.h"

std::unique_ptr<PakArchive> loadBuiltArchive(const std::string& file) {
  return PakArchive::tryLoad(std::string(HALVENRODE_ARCHIVE_DIR) + "/" + file);
}

bool readImage(const PakArchive& archive, const std::string& entry, int& width, int& height,
               std::vector<uint8_t>& pixels) {
  std::pair<const uint8_t*, uint32_t> data = archive.findEntry(entry);
  if (data.first == nullptr) return false;
  // Named after the process: the tests run side by side.
  std::string path = ::testing::TempDir() + "halvenrode_texture_" + std::to_string(getpid()) + "_" + entry;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  std::fwrite(data.first, 1, data.second, f);
  std::fclose(f);
  bool ok = readPngRgba(path, width, height, pixels);
  std::remove(path.c_str());
  return ok;
}

static Vec3 readVec(const uint8_t* p, size_t index) {
  double v[3];
  std::memcpy(v, p + index * 24, 24);
  return {v[0], v[1], v[2]};
}

bool readModel(const PakArchive& archive, const std::string& entry, std::vector<ReadMesh>& meshes) {
  std::pair<const uint8_t*, uint32_t> data = archive.findEntry(entry);
  int32_t count = 0;
  const uint8_t* cursor = nullptr;
  if (data.first == nullptr || !readModelHeader(data.first, data.second, count, cursor)) return false;
  const uint8_t* end = data.first + data.second;
  for (int32_t i = 0; i < count; ++i) {
    MeshRecordView view;
    if (!readMeshRecord(cursor, end, view)) return false;
    ReadMesh mesh;
    mesh.texture = view.textureNameText();
    mesh.alphaTest = view.material[modelformat::kAlphaTestFlag] != 0;
    mesh.blended = view.material[modelformat::kBlendedFlag] != 0;
    for (int32_t k = 0; k < view.triangleCount * 3; ++k) {
      mesh.positions.push_back(readVec(view.positions, size_t(k)));
      mesh.normals.push_back(readVec(view.normals, size_t(k)));
      double st[2];
      std::memcpy(st, view.texCoords + size_t(k) * 16, 16);
      mesh.texCoords.push_back({st[0], st[1]});
    }
    meshes.push_back(mesh);
  }
  return cursor == end;
}

std::vector<Vec3> allPositions(const std::vector<ReadMesh>& meshes) {
  std::vector<Vec3> all;
  for (const ReadMesh& m : meshes) all.insert(all.end(), m.positions.begin(), m.positions.end());
  return all;
}
