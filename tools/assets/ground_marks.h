#pragma once
#include "tools/assets/canvas.h"
#include "tools/assets/height_grid.h"
#include "tools/assets/snow_paint.h"

// Tufts of dry grass and small stones where the wind has scoured the
// crests of the relief, painted over the snow of `ground` on `canvas`.
// None come near the area's ends along x, so textures that tile and meet
// each other there still match.
void paintCrestMarks(Canvas& canvas, const SnowGround& ground, const HeightGrid& relief);
