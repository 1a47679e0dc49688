#pragma once
#include <string>
#include <vector>

class Mesh;

// Reads the model entry `entryName` of archive `archiveName` through the
// archive cache (one use of the archive is counted for the caller, even when
// the entry is missing) and appends its meshes, in record order, to `meshes`.
// Returns the number of meshes appended. Reading stops at the first record
// that does not fit inside the entry.
int readModelEntry(const std::string& archiveName, const std::string& entryName,
                   std::vector<Mesh*>& meshes);
