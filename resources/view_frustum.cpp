#include "resources/view_frustum.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Frustum {
  bool known = false;
  double tanHalfY = 0, tanHalfX = 0;  // of the half angles
  double normY = 1, normX = 1;        // lengths of the side planes' normals
  double zNear = 0, zFar = 0;
};

Frustum frustum;

constexpr double kPi = 3.14159265358979323846;

double readDouble(const uint8_t* p) {
  double value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// The longest of the three axis columns: how much the matrix stretches a
// radius at most.
double largestScale(const double m[16]) {
  double longest = 0;
  for (int column = 0; column < 3; ++column) {
    const double* c = m + 4 * column;
    longest = std::max(longest, c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  }
  return std::sqrt(longest);
}

}  // namespace

void setViewFrustum(double fovyDegrees, double aspect, double zNear, double zFar) {
  frustum.known = true;
  frustum.tanHalfY = std::tan(fovyDegrees * kPi / 360.0);
  frustum.tanHalfX = frustum.tanHalfY * aspect;
  frustum.normY = std::sqrt(1 + frustum.tanHalfY * frustum.tanHalfY);
  frustum.normX = std::sqrt(1 + frustum.tanHalfX * frustum.tanHalfX);
  frustum.zNear = zNear;
  frustum.zFar = zFar;
}

void forgetViewFrustum() { frustum = Frustum(); }

// The eye looks down -z; a side plane through the eye holds the points
// where |y| = -z tan(half angle), and a sphere is outside when its centre
// lies more than its radius beyond one plane.
bool mayBeInView(const BoundingSphere& sphere, const double modelView[16]) {
  if (!frustum.known || sphere.radius < 0) return true;
  const double* m = modelView;
  const double x = m[0] * sphere.x + m[4] * sphere.y + m[8] * sphere.z + m[12];
  const double y = m[1] * sphere.x + m[5] * sphere.y + m[9] * sphere.z + m[13];
  const double z = m[2] * sphere.x + m[6] * sphere.y + m[10] * sphere.z + m[14];
  const double r = sphere.radius * largestScale(m);
  if (z - r > -frustum.zNear || z + r < -frustum.zFar) return false;
  if (std::fabs(y) + z * frustum.tanHalfY > r * frustum.normY) return false;
  if (std::fabs(x) + z * frustum.tanHalfX > r * frustum.normX) return false;
  return true;
}

BoundingSphere boundingSphereOf(const uint8_t* positions, int64_t vertexCount) {
  BoundingSphere sphere;
  if (positions == nullptr || vertexCount <= 0) return sphere;
  double low[3], high[3];
  for (int axis = 0; axis < 3; ++axis) low[axis] = high[axis] = readDouble(positions + 8 * axis);
  for (int64_t v = 1; v < vertexCount; ++v) {
    for (int axis = 0; axis < 3; ++axis) {
      const double value = readDouble(positions + 24 * v + 8 * axis);
      low[axis] = std::min(low[axis], value);
      high[axis] = std::max(high[axis], value);
    }
  }
  sphere.x = (low[0] + high[0]) / 2;
  sphere.y = (low[1] + high[1]) / 2;
  sphere.z = (low[2] + high[2]) / 2;
  double farthest = 0;
  for (int64_t v = 0; v < vertexCount; ++v) {
    const double dx = readDouble(positions + 24 * v) - sphere.x;
    const double dy = readDouble(positions + 24 * v + 8) - sphere.y;
    const double dz = readDouble(positions + 24 * v + 16) - sphere.z;
    farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
  }
  // A little more than the farthest point, for the rounding of the
  // transform that places it.
  sphere.radius = std::sqrt(farthest) * (1 + 1e-9) + 1e-9;
  if (!std::isfinite(sphere.radius)) sphere.radius = -1;
  return sphere;
}
