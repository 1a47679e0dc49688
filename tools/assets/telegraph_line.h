#pragma once
#include <cstdint>
#include <vector>

#include "tools/assets/geometry.h"

class TerrainHeight;

// A line of wooden telegraph poles beside the track, part of each terrain
// piece: poles with a cross-arm, insulators and a cap of snow, and wires
// sagging from pole to pole. Passing poles show how fast the world slides.
namespace telegraph {

// The spacing divides a piece's length and the first pole stands half a
// spacing from the piece's start, so the rhythm and the wires run on
// unbroken across the joint of any two pieces.
constexpr double kPoleSpacing = 40.0;
// Across the track: beyond the ballast on the side away from the ski track,
// short of the nearest planting spots (22.5).
constexpr double kLineY = 11.0;

// Every pole's top stands this high over the shared end profile at the
// line, whatever the ground under it does, so every span of wire is the
// same and meets the next piece's. Above the chimney, so the wires run
// over the train.
constexpr double kPoleHeight = 15.0;

// Where the poles stand along a piece, in its frame.
std::vector<double> polePositions();

}  // namespace telegraph

// The line on one terrain piece, each pole's foot set into `ground`, in the
// piece's frame. Drawn unlit like the rest of the terrain: its texture
// coordinates pick a material's column of the atlas and, down it, the
// brightness the light baked into the ground gives a face turned that way.
TriangleList telegraphLine(const TerrainHeight& ground);

// The atlas the line is textured from (PNG bytes).
std::vector<uint8_t> paintTelegraphLine();
