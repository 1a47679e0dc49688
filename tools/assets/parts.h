#pragma once
#include "tools/assets/model.h"

// Building blocks for machinery, in a part's own frame (X along, Y across,
// Z up), all as triangle lists.

// A flat bar from `a` to `b` in the XZ plane, `height` across the bar in
// that plane and `thickness` in Y, centred on y = 0.
TriangleList barXZ(Vec2 a, Vec2 b, double height, double thickness);
// A round boss (a short cylinder along Y) centred at (x, y, z). Round
// parts take segmentsForRadius(radius) unless given `segments`.
TriangleList bossY(Vec3 centre, double radius, double thickness, int segments = 0);
// A cylinder along X from x0 to x1 through (y, z).
TriangleList rodX(double x0, double x1, double y, double z, double radius, int segments = 0);
// A box given by its two opposite corners.
TriangleList boxBetween(Vec3 low, Vec3 high, double tile = 1.0);
