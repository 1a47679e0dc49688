#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A place for a plant in the frame of a terrain piece: X along the line of
// travel, Y across it, Z the axis a plant's height factor stretches.
struct PlantingSpot {
  double x, y, z;
};

// Which table a piece plants from: its terrain model's relief.
enum PlantingSpotKind : int32_t {
  FirstReliefSpots = 0,   // "relef1" (and the first piece): 25 spots
  SecondReliefSpots = 1,  // "relef2": 24 spots
};

// Any kind other than FirstReliefSpots selects the second table and list.
const std::vector<PlantingSpot>& plantingSpotTable(int32_t kind);

// Each kind keeps the free spots of its current piece. A new piece empties
// its kind's list; its first plant refills it from the table, and each
// plant takes one spot out, so no spot carries two plants on one piece.
void clearPlantingSpots(int32_t kind);
size_t freePlantingSpots(int32_t kind);

// Refills the list of `kind` if it is empty, then takes out the spot at
// (random number mod list length) and returns it. One random draw.
PlantingSpot takePlantingSpot(int32_t kind);
