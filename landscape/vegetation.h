#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Plant models of "main.pak" to draw from with equal weight per entry; the
// scene assembly fills it (five firs, three leafy trees, one bush).
extern std::vector<std::string> vegetationNames;

// How long a plant lives, ms: as long as the piece it stands on.
constexpr double kPlantLifetimeMs = 40000.0;

// One-shot event callback on a terrain piece: adds one plant to
// `currentNode` on a free spot of the list that the event's selector names
// (0: "relef1" spots, otherwise "relef2" spots). Three random draws, in
// order: the model, the spot, the height factor (0.80 to 1.29).
void plantVegetation(int32_t);
