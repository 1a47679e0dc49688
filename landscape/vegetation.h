#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Plant models of "main.pak" to draw from with equal weight per entry, as
// resetLandscapeState last set them (five firs, three leafy trees, one bush
// in the scene).
const std::vector<std::string>& vegetationNames();
// For resetLandscapeState alone.
void resetVegetation(const std::vector<std::string>& names);

// How long a plant lives, ms: as long as the piece it stands on.
constexpr double kPlantLifetimeMs = 40000.0;

// One-shot event callback on a terrain piece: adds one plant to
// `currentNode` on a free spot of the list that the event's selector names
// (0: "relef1" spots, otherwise "relef2" spots). Three random draws, in
// order: the model, the spot, the height factor (0.80 to 1.29).
void plantVegetation(int32_t);
