#include "tools/assets/parts.h"

#include <cmath>

#include "tools/assets/primitives.h"

TriangleList barXZ(Vec2 a, Vec2 b, double height, double thickness) {
  double dx = b.x - a.x, dz = b.y - a.y, len = std::hypot(dx, dz);
  double angle = std::atan2(dz, dx) * 180 / kPi;
  // A rotation about Y by -angle tips +X towards +Z.
  Affine place = compose(translation({(a.x + b.x) / 2, 0, (a.y + b.y) / 2}), rotationY(-angle));
  return transformed(makeBox({len, thickness, height}, 0.5), place);
}

namespace {

int segmentsOrByRadius(int segments, double radius) {
  return segments > 0 ? segments : segmentsForRadius(radius);
}

}  // namespace

TriangleList bossY(Vec3 c, double radius, double thickness, int segments) {
  Affine place = compose(translation({c.x, c.y - thickness / 2, c.z}), rotationX(-90));
  return transformed(makeCylinder(radius, thickness, segmentsOrByRadius(segments, radius), true, 0.5), place);
}

TriangleList rodX(double x0, double x1, double y, double z, double radius, int segments) {
  Affine place = compose(translation({x0, y, z}), rotationY(90));
  return transformed(makeCylinder(radius, x1 - x0, segmentsOrByRadius(segments, radius), true, 0.5), place);
}

TriangleList boxBetween(Vec3 low, Vec3 high, double tile) {
  Vec3 size = high - low;
  return transformed(makeBox(size, tile), translation((low + high) * 0.5));
}
