#pragma once
#include <functional>

#include "tools/assets/geometry.h"

// The modelling kit's shapes. Each returns a triangle list in its own local
// frame with outward normals; callers place it with an Affine. Texture
// coordinates are lengths divided by `tile`, the scene units covered by one
// repeat of the texture.

// Segments around a circle of this radius: the fewest, in steps of four so
// that a vertex sits at each quarter (a wheel's lowest point stays on the
// rail), whose chords stray at most kRoundnessTolerance inside the circle.
// That is under a pixel where the camera comes closest, so outlines look
// round, and every segment beyond it is work for the rasteriser only.
constexpr double kRoundnessTolerance = 0.02;
int segmentsForRadius(double radius);

// Axis-aligned box centred on the origin with the given full sizes.
// Without `xEnds` the two faces across X are left out: a bar whose ends
// are buried in other parts.
TriangleList makeBox(Vec3 size, double tile = 1.0, bool xEnds = true);

// Cylinder along +Z from z = 0 to z = length; caps close both ends.
TriangleList makeCylinder(double radius, double length, int segments, bool caps = true,
                          double tile = 1.0);

// Thick-walled tube along +Z (a tyre, a ring, a chimney mouth): outer and
// inner walls and the two annular ends. Without `outerWall` the outer wall
// is left out, for a ring set into another part that always covers it.
TriangleList makeTube(double innerRadius, double outerRadius, double length, int segments,
                      double tile = 1.0, bool outerWall = true);

// Surface of revolution about +Z of the profile points (radius, z), in order
// from bottom to top. Normals are smooth along the whole profile (each
// point takes the direction across the chord between its neighbours); a
// closing disc is added where the profile ends off the axis and `closeEnds`
// is set.
TriangleList makeLathe(const std::vector<Vec2>& profile, int segments, bool closeEnds = true,
                       double tile = 1.0);

// A simple polygon (counter-clockwise in XY) extruded along +Z from 0 to
// depth, with both faces triangulated.
TriangleList makeExtrusion(const std::vector<Vec2>& outline, double depth, double tile = 1.0);

// Triangulation of a simple counter-clockwise polygon as index triples.
std::vector<int> triangulatePolygon(const std::vector<Vec2>& outline);

// Height field z = height(x, y) over [x0, x1] x [y0, y1] with nx by ny
// cells, normals from central differences.
using HeightFunction = std::function<double(double x, double y)>;
TriangleList makeHeightField(const HeightFunction& height, double x0, double x1, double y0,
                             double y1, int nx, int ny, double tileX, double tileY);

// Quad in the XY plane centred on `centre`, facing +Z, texture covering it
// once (s to the right, t downwards as image rows run).
TriangleList makeQuad(Vec2 centre, double width, double height);

// Sphere segment of the given radius as a lathe (full sphere by default).
TriangleList makeSphere(double radius, int segments, int rings);
