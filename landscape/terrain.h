#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SceneNode;

// The models a run's landscape draws from, with equal weight per entry:
// the alternate terrain pieces ("relef1" as assembled; the other pieces use
// "relef2") and the plants.
struct LandscapeModels {
  std::vector<std::string> terrain;
  std::vector<std::string> vegetation;
};

// The alternate terrain models of the run, as the last reset set them.
const std::vector<std::string>& terrainNames();

// Pieces slide towards -X at 10 units per second, a new one is made every
// 20 s 200 units ahead, and each closes after 40 s (400 units travelled).
constexpr double kTerrainSpeed = -10.0;           // units per second
constexpr double kTerrainSpacing = 200.0;         // units
constexpr double kTerrainIntervalMs = 20000.0;
constexpr double kTerrainLifetimeMs = 40000.0;

// Where a piece made `lateMs` after its due time starts: ahead by the
// spacing, minus the distance the row has slid since, so the row stays
// gap-free whatever the frame timing.
double spawnedPieceX(double lateMs);

// A terrain piece at (x0, 0, 0) with the model `model`, rails as its first
// child, and 10 to 15 plant builders from the spot list `spotKind` (which
// is emptied first). One random draw for the plant count; appended to
// `parent`.
SceneNode* makeTerrainPiece(SceneNode* parent, double x0, const std::string& model,
                            int32_t spotKind);

// One-shot event callback on the landscape node: the first piece, "relef1",
// at the origin less the distance of the first time step.
void buildFirstTerrainPiece(int32_t);

// Permanent event callback on the landscape node: one piece each time 20 s
// of its local time have passed, alternating "relef2" (first) and a model
// from terrainNames(), so neighbouring pieces differ.
void terrainSpawner(int32_t);

// The state of a fresh start: draws from `models` (none: pieces and plants
// without a model), empty spot lists, the next spawned piece "relef2". The
// only writer of the landscape's lists.
void resetLandscapeState(const LandscapeModels& models = LandscapeModels());
