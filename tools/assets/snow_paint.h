#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assets/geometry.h"

// Paints snow for unlit ground: the texture itself carries the light of
// the scene (sunlit slopes, blue shadows, sheltered hollows), the wind's
// detail on the surface and the haze of distance.

// Height of the ground at (x, y), in scene units.
using GroundHeight = std::function<double(double x, double y)>;

struct SnowGround {
  // The relief to shade. It is asked for heights up to 14 units outside
  // the area too (for the shelter of hollows).
  GroundHeight height;
  // A size x size texture covering x in [x0, x0 + width) and y in
  // [y0, y0 + depth); texel (i, j) lies at x = x0 + (i + 0.5) * width / size.
  // The surface detail repeats every `width` along x so the texture tiles.
  double x0 = 0, width = 1, y0 = 0, depth = 1;
  int size = 256;
  uint32_t seed = 1;
  // Distance of (x, y) from the middle of the view: far snow fades into the
  // haze and loses its detail.
  std::function<double(double x, double y)> distance;
  // Beside the line: a ski track, and tufts and stones on scoured crests.
  bool trackside = false;
  // Posts standing in the snow, `postHeight` tall: each casts a short soft
  // shadow away from the light and stands in a little hollow the wind
  // scoured round its foot.
  std::vector<Vec2> posts;
  double postHeight = 0;
};

// PNG bytes of the painted texture.
std::vector<uint8_t> paintSnowGround(const SnowGround& ground);
