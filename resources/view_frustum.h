#pragma once

#include <cstdint>

// The view volume of the current perspective projection, so that a mesh
// lying wholly outside it is left out before GL transforms its vertices.
// Until a projection is set here, everything counts as in view.
struct BoundingSphere {
  double x = 0, y = 0, z = 0;
  double radius = -1;  // negative: not known, always in view
};

// The same numbers gluPerspective was given.
void setViewFrustum(double fovyDegrees, double aspect, double zNear, double zFar);
void forgetViewFrustum();

// Whether a sphere in model coordinates, under `modelView` (column-major),
// may reach into the view volume: false only when it lies wholly outside
// one of its six planes.
bool mayBeInView(const BoundingSphere& sphere, const double modelView[16]);

// A sphere round `vertexCount` points stored as unaligned little-endian
// doubles, three to a point.
BoundingSphere boundingSphereOf(const uint8_t* positions, int64_t vertexCount);
