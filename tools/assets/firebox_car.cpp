#include <cmath>

#include <algorithm>

#include "tools/assets/canvas.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/parts.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// "topka": the firebox car behind the cab, a riveted tank on two bogies
// with its coal heaped on top and a stove at the front whose fire shows
// through open doors on both sides and towards the cab. Its origin is the
// car's centre at the height of the locomotive's origin; its four small
// wheelsets are separate nodes at x = 6.194, 3.194, -3.474, -6.474,
// z = -3.8, so each pair makes a bogie, and the frames stay clear of them.

namespace {

constexpr double kHalfLength = 8.6;
constexpr double kHalfWidth = 3.1;
constexpr double kSoleBarBottomZ = -2.4;
constexpr double kDeckZ = -1.2;
constexpr double kTankTopZ = 3.2;
// Bogie side frames stand outside the wheels (whose axle ends reach 2.31)
// and carry the axle boxes over the axle ends.
constexpr double kBogieFrameY = 2.42;
constexpr double kBogieFrameThickness = 0.14;
constexpr double kAxleZ = -3.8;
constexpr double kBogieCentres[] = {4.694, -4.974};
constexpr double kAxleHalfSpacing = 1.5;
// The stove at the front end, towards the cab.
constexpr double kStoveRearX = kHalfLength - 3.2;
constexpr double kStoveFrontX = kHalfLength - 0.3;
constexpr double kStoveHalfWidth = 2.4;
constexpr double kStoveTopZ = 3.6;

void add(Model& m, const Material& mat, const TriangleList& shape, const Affine& at = Affine()) {
  addShape(m, textures::kGrain, mat, shape, at);
}

// A box between two corners given in any order (sides mirror in y).
TriangleList block(Vec3 a, Vec3 b) {
  return boxBetween({std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)},
                    {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)});
}

// A plate with outline (x, z) in the car's XZ plane, `thickness` thick,
// its outer face at y = `outerY` (the sign of outerY picks the side).
void addSidePlate(Model& m, const Material& mat, const std::vector<Vec2>& outline, double outerY,
                  double thickness) {
  double inner = outerY > 0 ? outerY - thickness : outerY;
  // The outline's local y becomes z; the extrusion runs along -y.
  add(m, mat, makeExtrusion(outline, thickness), compose(translation({0, inner + thickness, 0}), rotationX(90)));
}

// Solebars along both sides, buffer beams at both ends, buffers at the
// rear and the drawbar to the cab.
void addUnderframe(Model& m) {
  for (double s : {-1.0, 1.0})
    add(m, palette::frameRed(), boxBetween({-kHalfLength, s * 2.85 - 0.15, kSoleBarBottomZ}, {kHalfLength, s * 2.85 + 0.15, kDeckZ}));
  add(m, palette::darkSteel(), boxBetween({-kHalfLength + 0.3, -2.7, kSoleBarBottomZ + 0.2}, {kHalfLength - 0.3, 2.7, kDeckZ}));
  for (double x : {-kHalfLength, kHalfLength - 0.3})
    add(m, palette::frameRed(), boxBetween({x, -3.2, -2.6}, {x + 0.3, 3.2, kDeckZ}));
  for (double y : {-2.3, 2.3}) {
    double base = -kHalfLength;
    add(m, palette::darkSteel(), rodX(base - 0.6, base, y, -1.9, 0.22));
    add(m, palette::steel(), rodX(base - 0.72, base - 0.6, y, -1.9, 0.38));
  }
  add(m, palette::darkSteel(), boxBetween({kHalfLength, -0.25, -2.0}, {kHalfLength + 0.7, 0.25, -1.7}));
}

// One bogie: plate side frames arched between the axles, axle boxes with
// leaf springs outside them, and the bolster the body turns on.
void addBogie(Model& m, double c) {
  const double a = kAxleHalfSpacing;
  const std::vector<Vec2> frame = {{c - 2.5, -3.1},  {c - a - 0.5, -4.35}, {c - a + 0.5, -4.35}, {c - 0.7, -3.45},
                                   {c + 0.7, -3.45}, {c + a - 0.5, -4.35}, {c + a + 0.5, -4.35}, {c + 2.5, -3.1},
                                   {c + 2.5, -2.7},  {c - 2.5, -2.7}};
  for (double s : {-1.0, 1.0}) {
    addSidePlate(m, palette::darkSteel(), frame, s * (kBogieFrameY + kBogieFrameThickness), kBogieFrameThickness);
    double out = s * (kBogieFrameY + kBogieFrameThickness);
    for (double x : {c - a, c + a}) {
      // Axle box over the axle end, its lid a step further out.
      add(m, palette::darkSteel(), block({x - 0.36, s * 2.2, kAxleZ - 0.45}, {x + 0.36, out + s * 0.22, kAxleZ + 0.4}));
      add(m, palette::steel(), block({x - 0.24, out + s * 0.21, kAxleZ - 0.3}, {x + 0.24, out + s * 0.3, kAxleZ + 0.25}));
      // Leaf spring on the box: plates shortening downwards, a buckle,
      // hangers up to the frame's top.
      for (int leaf = 0; leaf < 2; ++leaf) {
        double half = 0.95 - 0.3 * leaf, z = -2.95 - 0.1 * leaf;
        add(m, palette::steel(), block({x - half, out + s * 0.02, z - 0.08}, {x + half, out + s * 0.2, z}));
      }
      add(m, palette::darkSteel(), block({x - 0.14, out, -3.3}, {x + 0.14, out + s * 0.24, kAxleZ + 0.4}));
      for (double h : {-0.9, 0.9})
        add(m, palette::darkSteel(), block({x + h - 0.05, out, -2.95}, {x + h + 0.05, out + s * 0.12, -2.6}));
    }
  }
  add(m, palette::frameRed(), boxBetween({c - 0.45, -kBogieFrameY, -2.75}, {c + 0.45, kBogieFrameY, kSoleBarBottomZ}));
}

// The water tank: riveted plates, a brass beading, coal plates flared
// outwards above it, a ladder and a tail lamp at the rear.
void addTank(Model& m) {
  const double x0 = -kHalfLength + 0.2, x1 = kStoveRearX;
  addShape(m, textures::kRivetedPlate, palette::boilerGreen(),
           boxBetween({x0, -kHalfWidth, kDeckZ}, {x1, kHalfWidth, kTankTopZ}, 2.2));
  for (double z : {kTankTopZ - 0.2, kDeckZ + 0.1})
    add(m, palette::brass(), boxBetween({x0 - 0.03, -kHalfWidth - 0.03, z}, {x1 + 0.03, kHalfWidth + 0.03, z + 0.12}));
  // Coal plates: a thin wall leaning out by 0.3 over its 0.9 height.
  for (double s : {-1.0, 1.0}) {
    std::vector<Vec2> lean = {{s * kHalfWidth, kTankTopZ}, {s * (kHalfWidth + 0.3), kTankTopZ + 0.9},
                              {s * (kHalfWidth + 0.18), kTankTopZ + 0.9}, {s * (kHalfWidth - 0.12), kTankTopZ}};
    if (s < 0) std::reverse(lean.begin(), lean.end());  // mirrored: keep it counter-clockwise
    addShape(m, textures::kRivetedPlate, palette::boilerGreen(), makeExtrusion(lean, x1 - x0, 2.2),
             compose(translation({x0, 0, 0}), compose(rotationZ(90), rotationX(90))));
    add(m, palette::brass(), rodX(x0, x1, s * (kHalfWidth + 0.24), kTankTopZ + 0.9, 0.09, 8));
  }
  add(m, palette::boilerGreen(), boxBetween({x0, -kHalfWidth, kTankTopZ}, {x0 + 0.15, kHalfWidth, kTankTopZ + 0.8}));
  for (double y : {-1.9, -1.2})
    add(m, palette::darkSteel(), boxBetween({x0 - 0.2, y - 0.05, kDeckZ}, {x0 - 0.1, y + 0.05, kTankTopZ + 0.6}));
  for (double z = kDeckZ + 0.5; z < kTankTopZ + 0.5; z += 0.55)
    add(m, palette::darkSteel(), boxBetween({x0 - 0.2, -1.9, z - 0.04}, {x0 - 0.1, -1.2, z + 0.04}));
  add(m, palette::smokeboxBlack(), boxBetween({x0 - 0.45, 1.3, kTankTopZ - 0.9}, {x0 - 0.05, 1.9, kTankTopZ - 0.3}));
  add(m, palette::frameRed(), rodX(x0 - 0.5, x0 - 0.45, 1.6, kTankTopZ - 0.6, 0.22, 12));
}

// Coal heaped in the bunker: a broad mound, lumpy on top, falling off
// towards the plates and the rear.
void addCoal(Model& m) {
  const double x0 = -kHalfLength + 0.45, x1 = kStoveRearX - 0.15;
  auto heap = [=](double x, double y) {
    double u = (x - (x0 + x1) / 2) / ((x1 - x0) / 2), v = y / (kHalfWidth + 0.2);
    double mound = 1.5 * std::max(0.0, 1 - 0.55 * u * u - 0.85 * v * v);
    double lumps = 0.45 * (fractalNoise(x / 1.1, y / 1.1, 91, 2) - 0.5);
    return kTankTopZ + 0.3 + mound + lumps * (0.4 + 0.6 * mound / 1.5);
  };
  addShape(m, textures::kCoal, palette::coal(),
           makeHeightField(heap, x0, x1, -kHalfWidth - 0.1, kHalfWidth + 0.1, 18, 9, 2.0, 2.0));
}

constexpr double kDoorX = (kStoveRearX + kStoveFrontX) / 2, kDoorWidth = 1.7, kDoorHeight = 1.6, kSill = -0.5;

}  // namespace

// Both side doors' fires (the -y side first), then the firing door's.
std::vector<FirePanel> fireboxFirePanels() {
  TriangleList side = makeQuad({0, kSill + kDoorHeight / 2}, kDoorWidth, kDoorHeight);
  std::vector<FirePanel> panels;
  for (double s : {-1.0, 1.0}) {
    Affine facing = s > 0 ? compose(rotationZ(180), rotationX(90)) : rotationX(90);
    panels.push_back({side, compose(translation({kDoorX, s * (kStoveHalfWidth + 0.01), 0}), facing)});
  }
  panels.push_back({makeQuad({0, 1.0}, 2.1, 2.0),
                    compose(translation({kStoveFrontX + 0.06, 0, 0}), compose(rotationZ(90), rotationX(90)))});
  return panels;
}

namespace {

// The stove: a black firebox with a chimney; its doors stand open on both
// sides and towards the cab, each showing the computed flame.
void addStove(Model& m) {
  const double x0 = kStoveRearX, x1 = kStoveFrontX, half = kStoveHalfWidth;
  add(m, palette::smokeboxBlack(), boxBetween({x0, -half, kDeckZ}, {x1, half, kStoveTopZ}));
  add(m, palette::frameRed(), boxBetween({x0 + 0.2, -half + 0.2, kStoveTopZ}, {x1 - 0.2, half - 0.2, kStoveTopZ + 0.3}));
  std::vector<Vec2> chimney = {{0.5, kStoveTopZ}, {0.45, 5.2}, {0.55, 5.5}, {0.0, 5.5}};
  add(m, palette::smokeboxBlack(), makeLathe(chimney, 16, false), translation({x0 + 1.2, 0, 0}));
  Material flame = litMaterial(1.15f, 1.15f, 1.15f, 0, 0);  // glows: ambient only
  for (int i = 0; i < 3; ++i) flame.diffuse[i] = 0;
  const double doorX = kDoorX, doorWidth = kDoorWidth, doorHeight = kDoorHeight, sill = kSill;
  const std::vector<FirePanel> fires = fireboxFirePanels();
  for (double s : {-1.0, 1.0}) {
    // Fire set just inside the side, a brass frame round it, the door leaf
    // swung back flat against the side behind its hinge.
    const FirePanel& fire = fires[s < 0 ? 0 : 1];
    addShape(m, textures::kFire, flame, fire.quad, fire.at);
    for (double e : {-1.0, 1.0})
      add(m, palette::brass(), block({doorX + e * doorWidth / 2 - 0.08, s * (half - 0.04), sill},
                                     {doorX + e * doorWidth / 2 + 0.08, s * (half + 0.08), sill + doorHeight}));
    add(m, palette::brass(), block({doorX - doorWidth / 2 - 0.08, s * (half - 0.04), sill + doorHeight},
                                   {doorX + doorWidth / 2 + 0.08, s * (half + 0.08), sill + doorHeight + 0.12}));
    add(m, palette::darkSteel(), block({doorX - doorWidth * 1.5 - 0.1, s * (half + 0.08), sill},
                                       {doorX - doorWidth / 2 - 0.1, s * (half + 0.16), sill + doorHeight}));
  }
  // Towards the cab: the firing door, open, the flame filling it.
  add(m, palette::brass(), boxBetween({x1 - 0.05, -1.25, -0.2}, {x1 + 0.05, 1.25, 2.2}));
  addShape(m, textures::kFire, flame, fires[2].quad, fires[2].at);
  add(m, palette::darkSteel(), boxBetween({x1 + 0.06, 1.25, -0.2}, {x1 + 0.16, 2.3, 2.2}));  // leaf swung aside
  // Foot plate bridging to the cab.
  add(m, palette::darkSteel(), boxBetween({x1, -2.0, kDeckZ - 0.1}, {kHalfLength + 1.5, 2.0, kDeckZ}));
}

}  // namespace

Model makeFireboxCarFire() {
  Model m;
  for (const FirePanel& fire : fireboxFirePanels()) {
    m.part(textures::kFire, unlitMaterial()).triangles.append(fire.quad, fire.at);
  }
  return m;
}

Model makeFireboxCar() {
  Model m;
  addUnderframe(m);
  for (double c : kBogieCentres) addBogie(m, c);
  addTank(m);
  addCoal(m);
  addStove(m);
  return m;
}
