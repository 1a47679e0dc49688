#pragma once
#include <cstddef>
#include <map>
#include <string>

class SceneNode;

// What the live scene holds, counted by walking both trees. Used by the soak
// run to check that nothing piles up and that every shared resource is used
// exactly by what still exists.
struct SceneCensus {
  size_t nodes = 0;           // every node in both trees, closing ones included
  size_t smokeParticles = 0;  // live children of the smoke node
  size_t terrainPieces = 0;   // terrain pieces not yet closing
  // Uses the live nodes and meshes account for: one per model load of a node
  // plus one per archive-textured mesh, by archive name.
  std::map<std::string, int> archiveUsesHeld;
  // Archive-textured meshes by "archive/entry", and procedural ones by name.
  std::map<std::string, int> textureUsesHeld;
  std::map<std::string, int> proceduralUsesHeld;
  // Nodes whose meshes come from more than one archive: their meshes cannot
  // be attributed, so the archive check is skipped for the run.
  size_t mixedNodes = 0;
};

// Counts `worldRoot` and `overlayRoot` as they stand between frames.
SceneCensus takeCensus();

// Differences between the counts the caches keep and the uses the census
// accounts for, one line each; empty when they agree.
std::string useCountMismatches(const SceneCensus& census);
