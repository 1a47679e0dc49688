#include "resources/model_reader.h"

#include "resources/mesh.h"
#include "resources/model_format.h"
#include "resources/pak_cache.h"

int readModelEntry(const std::string& archiveName, const std::string& entryName,
                   std::vector<Mesh*>& meshes) {
  std::pair<const uint8_t*, uint32_t> entry = pakCache.findEntry(archiveName, entryName);
  int32_t meshCount = 0;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(entry.first, entry.second, meshCount, cursor)) return 0;
  const uint8_t* end = entry.first + entry.second;
  int appended = 0;
  for (int32_t i = 0; i < meshCount; ++i) {
    Mesh* mesh = new Mesh();
    if (!mesh->load(cursor, end, archiveName)) {
      delete mesh;
      break;
    }
    meshes.push_back(mesh);
    ++appended;
  }
  return appended;
}
