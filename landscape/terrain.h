#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SceneNode;

// Models the alternate terrain pieces are drawn from ("relef1" as
// assembled); the other pieces use "relef2".
extern std::vector<std::string> terrainNames;

// True when the next spawned piece uses "relef2". Flips with every spawned
// piece, so neighbouring pieces differ.
extern bool nextTerrainIsSecond;

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
// of its local time have passed, alternating "relef2" and a model from
// `terrainNames`.
void terrainSpawner(int32_t);

// Empties the model-name lists and the spot lists and makes the next
// spawned piece "relef2" again: the state of a fresh start.
void resetLandscapeState();
