#include "tools/assets/telegraph_line.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/primitives.h"
#include "tools/assets/snow_light.h"
#include "tools/assets/terrain_height.h"

using telegraph::kLineY;
using telegraph::kPoleHeight;
using telegraph::kPoleSpacing;

namespace {

constexpr double kX0 = dims::kTerrainStartX;
constexpr double kX1 = dims::kTerrainStartX + dims::kTerrainLength;
constexpr int kPoles = int(dims::kTerrainLength / kPoleSpacing);

constexpr double kBuried = 1.0;
constexpr double kFootRadius = 0.3, kTopRadius = 0.2;
// The cross-arm across the line near the top, its insulators along it.
constexpr double kArmBelowTop = 0.8;
constexpr double kArmLength = 3.6, kArmWidth = 0.22, kArmDepth = 0.28;
constexpr double kInsulators[] = {-1.5, -0.6, 0.6, 1.5};
constexpr double kWireOnInsulator = 0.2;  // where the wire is tied, above the arm
// Wires: thick enough to read as a line a pixel or two wide at the
// distances the camera sees them from; the sag at a span's middle.
constexpr double kWireRadius = 0.05;
constexpr double kSag = 0.7;
constexpr int kWireSegments = 4;  // a parabola this shallow strays 0.04 from its chords
// A pole leans by up to this many degrees, each its own way.
constexpr double kMostLean = 1.4;

// The atlas: a column per material, the baked brightness growing down it.
enum Material { Wood, Snow, Glass, Wire };
constexpr int kAtlasSize = 64;
struct Column {
  int first, width;
};
constexpr Column kColumns[] = {{0, 32}, {32, 8}, {40, 8}, {48, 8}};
constexpr double kBrightest = 1.1;

// How bright the light baked into the ground makes a face turned along
// `n`: the open sky from above, the sun as the ground sees it, and a little
// light from the snow below. Open flat ground comes to about 0.95, a
// post's side in the shade to about 0.4.
double faceLight(Vec3 n) {
  static const Vec3 sun = sunDirection();
  double sky = 0.5 + 0.5 * n.z, snow = 0.5 - 0.5 * n.z;
  double sunlit = std::max(0.0, dot(n, sun)) / sun.z;
  return 0.52 * sky + 0.42 * sunlit + 0.3 * snow;
}

// Texture coordinates in `material`'s column at the brightness `v`'s
// normal faces; `across` (0..1) picks the texel across the column.
void paintVertex(Vertex& v, Material material, double across) {
  const Column& c = kColumns[material];
  v.s = (c.first + 0.5 + across * (c.width - 1)) / kAtlasSize;
  v.t = std::clamp(faceLight(v.normal) / kBrightest, 0.5 / kAtlasSize, 1 - 0.5 / kAtlasSize);
}

void paint(TriangleList& shape, Material material, double across = 0.5) {
  for (Vertex& v : shape.vertices) paintVertex(v, material, across);
}

// Each pole's own lean, the same on every piece, so a piece knows its
// neighbours' poles: index 0 to kPoles - 1.
Affine leanOf(int pole) {
  int k = ((pole % kPoles) + kPoles) % kPoles;
  double bearing = 360 * hashUnit(k, 1, 151), amount = kMostLean * (0.4 + 0.6 * hashUnit(k, 2, 151));
  return compose(rotationZ(bearing), compose(rotationX(amount), rotationZ(-bearing)));
}

// The frame of pole `index` (-1 and kPoles stand on the neighbouring
// pieces): origin at its top, Z up its shaft.
Affine poleFrame(int index) {
  double x = kX0 + kPoleSpacing / 2 + index * kPoleSpacing;
  return compose(translation({x, kLineY, crossProfile(kLineY) + kPoleHeight}), leanOf(index));
}

Vec3 tiePoint(int pole, double along) {
  return poleFrame(pole).point({0, along, -kArmBelowTop + kArmDepth / 2 + kWireOnInsulator});
}

TriangleList pole(const TerrainHeight& ground, int index) {
  Affine frame = poleFrame(index);
  Vec3 top = frame.point({0, 0, 0}), axis = frame.linear({0, 0, 1});
  // Down the shaft to the ground under its foot, then into it.
  double toGround = (top.z - ground(top.x, top.y)) / axis.z;
  Vec3 foot = top - axis * toGround;
  double length = (top.z - ground(foot.x, foot.y)) / axis.z + kBuried;
  TriangleList out;
  TriangleList shaft = makeLathe({{kFootRadius, -length}, {kTopRadius, 0}}, 8, false);
  for (Vertex& v : shaft.vertices) {
    // The grain runs up the shaft; round it, the column's texels (the
    // lathe's s goes four times round).
    v.normal = frame.normal(v.normal);
    v.position = frame.point(v.position);
    paintVertex(v, Wood, v.s / 4);
  }
  out.append(shaft);
  TriangleList arm = transformed(makeBox({kArmWidth, kArmLength, kArmDepth}), compose(frame, translation({0, 0, -kArmBelowTop})));
  paint(arm, Wood, 0.3);
  out.append(arm);
  // Snow lies along the arm's top and in a cap on the pole's.
  TriangleList armSnow = transformed(makeBox({kArmWidth + 0.04, kArmLength - 0.1, 0.09}),
                                     compose(frame, translation({0, 0, -kArmBelowTop + kArmDepth / 2 + 0.04})));
  TriangleList cap = transformed(makeLathe({{kTopRadius + 0.04, -0.05}, {0, 0.16}}, 6, false),
                                 frame);
  paint(armSnow, Snow);
  paint(cap, Snow);
  out.append(armSnow);
  out.append(cap);
  for (double along : kInsulators) {
    // A few pixels across at most: a bell of four sides is enough.
    TriangleList bell = makeLathe({{0.11, 0}, {0.1, 0.18}, {0, 0.29}}, 4, false);
    paint(bell, Glass);  // painted upright; the lean is too small to change it
    out.append(bell, compose(frame, translation({0, along, -kArmBelowTop + kArmDepth / 2})));
  }
  return out;
}

// A point of the wire from `a` to `b` at u (0..1), and its direction.
Vec3 wireAt(Vec3 a, Vec3 b, double u) { return a + (b - a) * u - Vec3{0, 0, 4 * kSag * u * (1 - u)}; }
Vec3 wireDirection(Vec3 a, Vec3 b, double u) { return normalized((b - a) - Vec3{0, 0, 4 * kSag * (1 - 2 * u)}); }

// The part of the span from `a` to `b` that lies on the piece, as a thin
// three-sided tube. A span that crosses a joint gets a ring exactly on it,
// the same ring from either piece.
void addWire(Vec3 a, Vec3 b, TriangleList& out) {
  std::vector<double> us, joints;
  for (double joint : {kX0, kX1}) {
    double u = (joint - a.x) / (b.x - a.x);
    if (u > 0 && u < 1) joints.push_back(u);
  }
  for (int j = 0; j <= kWireSegments; ++j) {
    double u = double(j) / kWireSegments;
    // No sliver of a segment beside the ring on a joint.
    bool nearJoint = false;
    for (double joint : joints) nearJoint = nearJoint || std::fabs(u - joint) < 0.5 / kWireSegments;
    if (!nearJoint) us.push_back(u);
  }
  us.insert(us.end(), joints.begin(), joints.end());
  std::sort(us.begin(), us.end());
  auto ring = [&](double u, int k) {
    Vec3 d = wireDirection(a, b, u);
    Vec3 side = normalized(cross(d, {0, 0, 1})), up = cross(side, d);
    double angle = 2 * kPi * k / 3 + kPi / 2;
    Vertex v;
    v.normal = side * std::cos(angle) + up * std::sin(angle);
    v.position = wireAt(a, b, u) + v.normal * kWireRadius;
    return v;
  };
  TriangleList wire;
  for (size_t j = 0; j + 1 < us.size(); ++j) {
    double mid = wireAt(a, b, (us[j] + us[j + 1]) / 2).x;
    if (mid < kX0 || mid > kX1) continue;
    for (int k = 0; k < 3; ++k)
      wire.quad(ring(us[j], k), ring(us[j], k + 1), ring(us[j + 1], k + 1), ring(us[j + 1], k));
  }
  paint(wire, Wire);
  out.append(wire);
}

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

}  // namespace

std::vector<double> telegraph::polePositions() {
  std::vector<double> xs;
  for (int k = 0; k < kPoles; ++k) xs.push_back(kX0 + kPoleSpacing / 2 + k * kPoleSpacing);
  return xs;
}

TriangleList telegraphLine(const TerrainHeight& ground) {
  TriangleList out;
  for (int k = 0; k < kPoles; ++k) out.append(pole(ground, k));
  // From the last pole of the piece before to the first of the next.
  for (int k = -1; k < kPoles; ++k)
    for (double along : kInsulators) addWire(tiePoint(k, along), tiePoint(k + 1, along), out);
  return out;
}

std::vector<uint8_t> paintTelegraphLine() {
  // What each material is, under white light: weathered wood, snow, the
  // insulators' pale green glass, dark wire.
  const double albedo[][3] = {{0.62, 0.53, 0.44}, {0.97, 0.98, 1.0}, {0.72, 0.86, 0.8}, {0.26, 0.25, 0.25}};
  Canvas c(kAtlasSize, kAtlasSize);
  c.flush();
  for (int y = 0; y < kAtlasSize; ++y) {
    double light = (y + 0.5) / kAtlasSize * kBrightest;
    // Faces in shade take the sky's blue, faces in the sun its warmth.
    double warm = smoothstep((light - 0.35) / 0.55);
    double tint[3] = {0.84 + 0.2 * warm, 0.9 + 0.1 * warm, 1.04 - 0.1 * warm};
    for (int m = 0; m < 4; ++m)
      for (int x = kColumns[m].first; x < kColumns[m].first + kColumns[m].width; ++x) {
        double grain = m == Wood ? 0.86 + 0.28 * fractalNoise(x * 0.5, y / 16.0, 152, 2, 16) : 1.0;
        double rgb[3];
        for (int k = 0; k < 3; ++k) rgb[k] = std::clamp(albedo[m][k] * tint[k] * light * grain, 0.0, 1.0);
        c.setPixel(x, y, rgb[0], rgb[1], rgb[2], 1);
      }
  }
  c.markDirty();
  return c.png();
}
