#include "tools/soak/scene_census.h"

#include <set>
#include <sstream>

#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "resources/mesh.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"
#include "scene/scene_node.h"

namespace {

// The archives whose counts are checked: all four the scene reads.
const char* const kArchives[] = {"main.pak", "utils.pak", "clock.pak", "calendar.pak"};

// Where the assembly puts things: the world's first child sways, its first
// child is the landscape; the train's tenth child emits the smoke.
constexpr size_t kSmokeIndex = 9;

SceneNode* childAt(SceneNode* node, size_t index) {
  return node != nullptr && index < node->children.size() ? node->children[index] : nullptr;
}

void countMeshes(const SceneNode& node, SceneCensus& census) {
  std::set<std::string> archives(node.archiveNames.begin(), node.archiveNames.end());
  for (const std::string& archive : node.archiveNames) census.archiveUsesHeld[archive] += 1;
  if (archives.size() > 1) census.mixedNodes += 1;
  for (const SceneNode::HeldTexture& held : node.heldTextures) {
    census.archiveUsesHeld[held.archiveName] += 1;
    if (held.texture != 0) census.textureUsesHeld[held.archiveName + "/" + held.entryName] += 1;
  }
  for (const Mesh* mesh : node.meshes) {
    if (mesh->isProcedural()) {
      census.proceduralUsesHeld[mesh->textureName()] += 1;
    } else if (archives.size() == 1) {
      const std::string& archive = *archives.begin();
      census.archiveUsesHeld[archive] += 1;
      // A texture name that is no entry counts a use of the archive only.
      const PakArchive* open = pakCache.peekArchive(archive);
      if (open != nullptr && open->findEntry(mesh->textureName()).first != nullptr) {
        census.textureUsesHeld[archive + "/" + mesh->textureName()] += 1;
      }
    }
  }
}

void walk(const SceneNode& node, SceneCensus& census) {
  census.nodes += 1;
  countMeshes(node, census);
  for (const SceneNode* child : node.children) walk(*child, census);
}

size_t liveChildren(const SceneNode* node, size_t from) {
  size_t live = 0;
  for (size_t i = from; node != nullptr && i < node->children.size(); ++i) {
    live += node->children[i]->closeRequested ? 0 : 1;
  }
  return live;
}

// Texture uses the archive's entries report, by "archive/entry"; entries
// with no uses are left out, as the census leaves them out.
std::map<std::string, int> textureUsesCounted() {
  std::map<std::string, int> counted;
  for (const char* name : kArchives) {
    const PakArchive* archive = pakCache.peekArchive(name);
    for (size_t i = 0; archive != nullptr && i < archive->entryCount(); ++i) {
      if (archive->entryTextureUses(i) != 0) {
        counted[std::string(name) + "/" + archive->entryName(i)] += archive->entryTextureUses(i);
      }
    }
  }
  return counted;
}

void compareMaps(const char* what, const std::map<std::string, int>& held,
                 const std::map<std::string, int>& counted, std::ostringstream& out) {
  std::set<std::string> names;
  for (const auto& item : held) names.insert(item.first);
  for (const auto& item : counted) names.insert(item.first);
  for (const std::string& name : names) {
    int h = held.count(name) ? held.at(name) : 0;
    int c = counted.count(name) ? counted.at(name) : 0;
    if (h != c) out << what << " " << name << ": cache counts " << c << ", scene holds " << h << "\n";
  }
}

}  // namespace

SceneCensus takeCensus() {
  SceneCensus census;
  if (worldRoot != nullptr) walk(*worldRoot, census);
  if (overlayRoot != nullptr) walk(*overlayRoot, census);
  SceneNode* landscape = childAt(childAt(worldRoot, 0), 0);
  census.smokeParticles = liveChildren(childAt(childAt(landscape, kTrainChild), kSmokeIndex), 0);
  census.terrainPieces = liveChildren(landscape, kFirstTerrainPieceChild);
  return census;
}

std::string useCountMismatches(const SceneCensus& census) {
  std::ostringstream out;
  if (census.mixedNodes == 0) {
    std::map<std::string, int> counted;
    for (const char* name : kArchives) {
      if (pakCache.useCount(name) != 0) counted[name] = pakCache.useCount(name);
    }
    compareMaps("archive", census.archiveUsesHeld, counted, out);
  }
  compareMaps("texture", census.textureUsesHeld, textureUsesCounted(), out);
  std::map<std::string, int> procedural;
  for (const auto& item : census.proceduralUsesHeld) {
    procedural[item.first] = proceduralTextureCache.useCount(item.first);
  }
  compareMaps("procedural texture", census.proceduralUsesHeld, procedural, out);
  if (proceduralTextureCache.size() != census.proceduralUsesHeld.size()) {
    out << "procedural textures: cache keeps " << proceduralTextureCache.size()
        << ", scene uses " << census.proceduralUsesHeld.size() << "\n";
  }
  return out.str();
}
