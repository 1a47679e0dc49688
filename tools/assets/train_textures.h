#pragma once
#include <cstdint>
#include <vector>

// Textures of the train, as PNG bytes. Light and nearly neutral, so the
// material colours come through: the texture adds grain, the material hue.
std::vector<uint8_t> paintGrain();   // paint and metal grain, 128 x 128
std::vector<uint8_t> paintCoal();    // heaped coal lumps, 128 x 128
std::vector<uint8_t> paintPlanks();  // weathered boards, 128 x 128
std::vector<uint8_t> paintNumberPlate();  // oval brass plate with the engine's number
// One riveted plate, light grain with a seam round its edge and rivets
// along it, lit from above; 128 x 128.
std::vector<uint8_t> paintRivetedPlate();
