#include "landscape/terrain.h"

#include "landscape/planting_spots.h"
#include "landscape/vegetation.h"
#include "scene/controllers.h"
#include "scene/draw_hooks.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "scene/scene_node.h"

namespace {

std::vector<std::string> terrainModels;
// Flips with every spawned piece.
bool nextTerrainIsSecond = true;

constexpr int kFewestPlants = 10;
constexpr int kPlantCountSpread = 6;  // 10 to 15 plants

void addPieceMotion(SceneNode* piece) {
  startEvents(piece, {
                         permanentMotion(linearMove, 0, kTerrainSpeed),
                         closeAfter(kTerrainLifetimeMs),
                     });
}

// Cue 1 holds one plant builder; firing it n times starts n copies, which
// all run in the piece's first tick.
void addPlants(SceneNode* piece, int32_t spotKind) {
  clearPlantingSpots(spotKind);
  int plants = kFewestPlants + randomBelow(kPlantCountSpread);
  startEvents(piece, {oneShotMotion(plantVegetation, spotKind)}, plants);
}

SceneNode* makeRails() {
  SceneNode* rails = new SceneNode();
  rails->addHook(noLightingHook, 0);
  rails->loadModel("main.pak", "relsi");
  return rails;
}

// The next alternate model; no name at all gives a piece without a model.
std::string drawTerrainName() {
  if (terrainModels.empty()) return std::string();
  size_t index = static_cast<size_t>(randomBelow(static_cast<int>(terrainModels.size())));
  return terrainModels[index];
}

}  // namespace

const std::vector<std::string>& terrainNames() { return terrainModels; }

double spawnedPieceX(double lateMs) { return lateMs / -100 + kTerrainSpacing; }

SceneNode* makeTerrainPiece(SceneNode* parent, double x0, const std::string& model,
                            int32_t spotKind) {
  SceneNode* piece = new SceneNode();
  piece->addHook(noLightingHook, 0);
  piece->transform.setPosition(x0, 0, 0);
  addPieceMotion(piece);
  piece->loadModel("main.pak", model);
  addPlants(piece, spotKind);
  parent->addChild(piece);
  piece->addChild(makeRails());
  return piece;
}

void buildFirstTerrainPiece(int32_t) {
  makeTerrainPiece(currentNode, currentEvent->t / -100, "relef1", FirstReliefSpots);
}

void terrainSpawner(int32_t) {
  NodeEvent* event = currentEvent;
  if (!(event->t > 0)) return;
  double x0 = spawnedPieceX(event->t);
  if (nextTerrainIsSecond) {
    makeTerrainPiece(currentNode, x0, "relef2", SecondReliefSpots);
    nextTerrainIsSecond = false;
  } else {
    makeTerrainPiece(currentNode, x0, drawTerrainName(), FirstReliefSpots);
    nextTerrainIsSecond = true;
  }
  event->t -= kTerrainIntervalMs;
}

void resetLandscapeState(const LandscapeModels& models) {
  terrainModels = models.terrain;
  resetVegetation(models.vegetation);
  clearPlantingSpots(FirstReliefSpots);
  clearPlantingSpots(SecondReliefSpots);
  nextTerrainIsSecond = true;
}
