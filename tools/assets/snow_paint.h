#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// Paints snow for unlit ground: the texture itself carries the shading of
// the slopes (a low winter sun) and the fine texture of wind-blown snow.

// Height of the ground at (x, y), in scene units.
using GroundHeight = std::function<double(double x, double y)>;

// A size x size texture covering x in [x0, x0 + width) and y in
// [y0, y0 + depth); texel (i, j) lies at x = x0 + (i + 0.5) * width / size.
// The detail noise repeats every `width` along x so the texture tiles.
std::vector<uint8_t> paintSnowGround(const GroundHeight& height, double x0, double width,
                                     double y0, double depth, int size, uint32_t seed);

// The colour of snow with surface normal (nx, ny, nz) and detail value
// `detail` in [0, 1], as 0..1 RGB.
void snowColour(double nx, double ny, double nz, double detail, double rgb[3]);
