#include <cmath>

#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/parts.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// "topka": the firebox car behind the cab. Its origin is the car's centre
// at the height of the locomotive's origin; its four small wheelsets are
// separate nodes at x = 6.194, 3.194, -3.474, -6.474, z = -3.8, so the frame
// stays above them. The front end, towards the cab, holds the fire behind an
// open door, painted with the computed flame texture.

namespace {

constexpr double kHalfLength = 8.6;
constexpr double kHalfWidth = 3.1;
constexpr double kFrameBottomZ = -2.15;
constexpr double kDeckZ = -1.2;
constexpr double kTankTopZ = 3.2;

void add(Model& m, const Material& mat, const TriangleList& shape, const Affine& at = Affine()) {
  addShape(m, textures::kGrain, mat, shape, at);
}

void addUnderframe(Model& m) {
  add(m, palette::frameRed(), boxBetween({-kHalfLength, -2.9, kFrameBottomZ}, {kHalfLength, 2.9, kDeckZ}));
  // Axle boxes and springs outside each wheel.
  for (double x : {6.194, 3.194, -3.474, -6.474})
    for (double s : {-1.0, 1.0}) {
      double y = s * (dims::kGaugeHalf + 0.45);
      add(m, palette::darkSteel(), boxBetween({x - 0.35, y - 0.2, -4.2}, {x + 0.35, y + 0.2, -3.4}));
      add(m, palette::darkSteel(), boxBetween({x - 1.1, y - 0.12, -3.35}, {x + 1.1, y + 0.12, -3.1}));
      add(m, palette::darkSteel(), boxBetween({x - 0.1, y - 0.1, -3.1}, {x + 0.1, y + 0.1, kFrameBottomZ}));
    }
  for (double x : {-kHalfLength, kHalfLength - 0.3}) {
    add(m, palette::frameRed(), boxBetween({x, -3.2, -2.6}, {x + 0.3, 3.2, kDeckZ}));
    for (double y : {-2.3, 2.3}) {
      double out = x < 0 ? -1 : 1;
      double base = x < 0 ? x : x + 0.3;
      add(m, palette::darkSteel(), rodX(std::min(base, base + out * 0.6), std::max(base, base + out * 0.6), y, -1.9, 0.22, 12));
      add(m, palette::steel(), rodX(std::min(base + out * 0.6, base + out * 0.72), std::max(base + out * 0.6, base + out * 0.72), y, -1.9, 0.38, 16));
    }
  }
}

void addBody(Model& m) {
  // Water tank with a rounded top edge, brass beading, coal bunker on top.
  const double x0 = -kHalfLength + 0.2, x1 = kHalfLength - 3.2;
  add(m, palette::boilerGreen(), boxBetween({x0, -kHalfWidth, kDeckZ}, {x1, kHalfWidth, kTankTopZ}));
  add(m, palette::brass(), boxBetween({x0 - 0.03, -kHalfWidth - 0.03, kTankTopZ - 0.2}, {x1 + 0.03, kHalfWidth + 0.03, kTankTopZ - 0.08}));
  add(m, palette::brass(), boxBetween({x0 - 0.03, -kHalfWidth - 0.03, kDeckZ + 0.1}, {x1 + 0.03, kHalfWidth + 0.03, kDeckZ + 0.22}));
  // Coal heaped in the bunker: a low height field.
  auto heap = [](double x, double y) {
    double u = x / 6.0, v = y / 2.9;
    return kTankTopZ + 1.6 * std::max(0.0, 1 - u * u * 0.6 - v * v) + 0.18 * std::sin(x * 3.1) * std::cos(y * 2.7);
  };
  addShape(m, textures::kCoal, palette::coal(), makeHeightField(heap, x0 + 0.2, x1 - 0.2, -kHalfWidth + 0.2, kHalfWidth - 0.2, 18, 10, 2.0, 2.0));
  for (double s : {-1.0, 1.0})
    add(m, palette::boilerGreen(), boxBetween({x0, s * kHalfWidth - 0.1, kTankTopZ}, {x1, s * kHalfWidth + 0.1, kTankTopZ + 0.8}));
  add(m, palette::boilerGreen(), boxBetween({x0, -kHalfWidth, kTankTopZ}, {x0 + 0.2, kHalfWidth, kTankTopZ + 0.8}));
  // Rounded coping along the bunker's top edges.
  for (double s : {-1.0, 1.0})
    add(m, palette::brass(), rodX(x0, x1, s * kHalfWidth, kTankTopZ + 0.8, 0.13, 10));
  // Ladder and tail lamp on the rear face.
  for (double y : {-1.9, -1.2})
    add(m, palette::darkSteel(), boxBetween({x0 - 0.2, y - 0.05, kDeckZ}, {x0 - 0.1, y + 0.05, kTankTopZ + 0.6}));
  for (double z = kDeckZ + 0.5; z < kTankTopZ + 0.5; z += 0.55)
    add(m, palette::darkSteel(), boxBetween({x0 - 0.2, -1.9, z - 0.04}, {x0 - 0.1, -1.2, z + 0.04}));
  add(m, palette::smokeboxBlack(), boxBetween({x0 - 0.45, 1.3, kTankTopZ - 0.9}, {x0 - 0.05, 1.9, kTankTopZ - 0.3}));
  add(m, palette::frameRed(), rodX(x0 - 0.5, x0 - 0.45, 1.6, kTankTopZ - 0.6, 0.22, 14));
}

void addFirebox(Model& m) {
  // Brick-red firebox at the front end with the fire door open towards the
  // cab; the flame panel sits just inside the door.
  const double x0 = kHalfLength - 3.2, x1 = kHalfLength - 0.1;
  add(m, palette::smokeboxBlack(), boxBetween({x0, -2.4, kDeckZ}, {x1 - 0.2, 2.4, 3.6}));
  add(m, palette::frameRed(), boxBetween({x0 + 0.2, -2.2, 3.6}, {x1 - 0.4, 2.2, 3.9}));
  std::vector<Vec2> profile = {{0.5, 3.6}, {0.45, 5.2}, {0.55, 5.5}, {0.0, 5.5}};
  add(m, palette::smokeboxBlack(), makeLathe(profile, 20, false), translation({x0 + 1.2, 0, 0}));
  // Door frame and the glow.
  add(m, palette::brass(), boxBetween({x1 - 0.25, -1.25, -0.2}, {x1 - 0.15, 1.25, 2.2}));
  Material flame = litMaterial(1.15f, 1.15f, 1.15f, 0, 0);  // glows: ambient only
  for (int i = 0; i < 3; ++i) flame.diffuse[i] = 0;
  TriangleList door = makeQuad({0, 1.0}, 2.1, 2.0);
  addShape(m, textures::kFire, flame, door, compose(translation({x1 - 0.12, 0, 0}), compose(rotationZ(90), rotationX(90))));
  add(m, palette::darkSteel(), boxBetween({x1 - 0.2, 1.05, -0.2}, {x1 + 0.9, 1.25, 2.2}));  // door swung open
  // Foot plate bridging to the cab.
  add(m, palette::darkSteel(), boxBetween({kHalfLength - 0.3, -2.0, kDeckZ - 0.1}, {kHalfLength + 1.5, 2.0, kDeckZ}));
}

}  // namespace

Model makeFireboxCar() {
  Model m;
  addUnderframe(m);
  addBody(m);
  addFirebox(m);
  return m;
}
