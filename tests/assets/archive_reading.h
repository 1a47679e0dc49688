#pragma once
#include <memory>
#include <string>
#include <vector>

#include "resources/pak_archive.h"
#include "tools/assets/geometry.h"

// Test helpers that read the generated archives back through the project's
// own archive and model-record readers.

// The archive `file` as written by the build, or nullptr.
std::unique_ptr<PakArchive> loadBuiltArchive(const std::string& file);

struct ReadMesh {
  std::string texture;
  bool alphaTest = false, blended = false;
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<Vec2> texCoords;
};

// The meshes of a model entry; false when the entry is missing or any
// record does not fit, or bytes are left over after the last record.
bool readModel(const PakArchive& archive, const std::string& entry, std::vector<ReadMesh>& meshes);

// Decodes the PNG image entry into 8-bit RGBA, top row first; false when
// it is missing or cannot be decoded.
bool readImage(const PakArchive& archive, const std::string& entry, int& width, int& height,
               std::vector<uint8_t>& pixels);

// Every vertex of every mesh of the entry.
std::vector<Vec3> allPositions(const std::vector<ReadMesh>& meshes);
