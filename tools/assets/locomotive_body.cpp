#include <algorithm>
#include <cmath>

#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/parts.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"
#include "train/night_lights.h"

// "parovoz": everything of the locomotive that does not move. Front at +X.
// The boiler sits on the running boards above the driving wheels; cylinders
// and slide bars line up with the crossheads (y = +-2.8, z = -3.0).

namespace {

constexpr double kBoilerRadius = 2.2;
constexpr double kBoilerAxisZ = 2.2;
constexpr double kBoilerRearX = -6.5;
constexpr double kSmokeboxRearX = 8.5;
constexpr double kSmokeboxFrontX = 12.6;
constexpr double kRunningBoardZ = -0.45;
constexpr double kCabRearX = -11.6;
constexpr double kCabHalfWidth = 3.2;
constexpr double kCylinderX0 = dims::kCylinderStartX, kCylinderX1 = dims::kCylinderEndX;

void add(Model& m, const Material& mat, const TriangleList& shape, const Affine& at = Affine()) {
  addShape(m, textures::kGrain, mat, shape, at);
}

// The segments a lathe needs for its widest radius.
int segmentsFor(const std::vector<Vec2>& profile) {
  double widest = 0;
  for (const Vec2& p : profile) widest = std::max(widest, p.x);
  return segmentsForRadius(widest);
}

// A lathe along +X whose profile is (radius, x) pairs, centred on (y, z).
void latheX(Model& m, const Material& mat, const std::vector<Vec2>& profile, double y, double z,
            bool closeEnds = true) {
  add(m, mat, makeLathe(profile, segmentsFor(profile), closeEnds), compose(translation({0, y, z}), rotationY(90)));
}

void addBoiler(Model& m) {
  const double r = kBoilerRadius;
  // The barrel's ends stay open: the cab's front sheet and the smokebox
  // cover them.
  latheX(m, palette::boilerGreen(), {{r, kBoilerRearX}, {r, kSmokeboxRearX}}, 0, kBoilerAxisZ, false);
  for (double x : {-6.2, -2.5, 1.0, 4.5, 8.2})  // brass bands
    latheX(m, palette::brass(), {{r + 0.04, x}, {r + 0.04, x + 0.22}}, 0, kBoilerAxisZ);
  latheX(m, palette::smokeboxBlack(),
         {{r + 0.12, kSmokeboxRearX}, {r + 0.12, kSmokeboxFrontX}}, 0, kBoilerAxisZ);
  // Smokebox door: a shallow dome with a rim, a centre boss and a handle.
  latheX(m, palette::smokeboxBlack(),
         {{r + 0.2, kSmokeboxFrontX}, {r + 0.2, kSmokeboxFrontX + 0.12}, {r - 0.1, kSmokeboxFrontX + 0.22},
          {1.2, kSmokeboxFrontX + 0.42}, {0.0, kSmokeboxFrontX + 0.5}},
         0, kBoilerAxisZ);
  latheX(m, palette::brass(), {{0.25, kSmokeboxFrontX + 0.45}, {0.18, kSmokeboxFrontX + 0.7}, {0, kSmokeboxFrontX + 0.72}}, 0,
         kBoilerAxisZ);
  add(m, palette::steel(), rodX(kSmokeboxFrontX + 0.6, kSmokeboxFrontX + 0.7, 0, kBoilerAxisZ - 0.5, 0.06));
  // Firebox sides between the cab and the driving wheels, and cradles
  // carrying the barrel on the running boards.
  add(m, palette::boilerGreen(), boxBetween({kBoilerRearX, -2.0, kRunningBoardZ}, {-2.2, 2.0, kBoilerAxisZ}));
  for (double x : {0.2, 3.2, 6.4})
    add(m, palette::smokeboxBlack(), boxBetween({x, -1.5, kRunningBoardZ}, {x + 0.6, 1.5, kBoilerAxisZ - 1.2}));
  // Saddle under the smokebox down to the cylinders.
  add(m, palette::smokeboxBlack(), boxBetween({kCylinderX0, -2.0, -1.0}, {kCylinderX1, 2.0, kBoilerAxisZ - 1.2}));
}

void addBoilerFittings(Model& m) {
  const double top = kBoilerAxisZ + kBoilerRadius;
  // Chimney: flared base on the smokebox, slim barrel, capped lip whose top
  // is where the smoke starts.
  std::vector<Vec2> chimney = {{1.05, top - 0.4}, {0.85, top + 0.2}, {0.62, top + 0.6}, {0.58, 6.4},
                               {0.66, 6.75}, {0.82, 7.05}, {0.82, dims::kChimneyTopZ}, {0.55, dims::kChimneyTopZ}};
  add(m, palette::smokeboxBlack(), makeLathe(chimney, segmentsFor(chimney), false),
      translation({dims::kChimneyTopX, 0, 0}));
  add(m, palette::coal(), makeCylinder(0.56, 0.3, segmentsForRadius(0.56), true),
      translation({dims::kChimneyTopX, 0, 6.85}));
  // Steam dome and sand dome: brass-capped domes.
  auto dome = [&](double x, double base, double height, double cap) {
    std::vector<Vec2> p = {{base + 0.35, top - 0.5}, {base, top + 0.15}, {base * 0.95, top + height * 0.6},
                           {base * 0.7, top + height * 0.9}, {0.0, top + height}};
    add(m, palette::boilerGreen(), makeLathe(p, segmentsFor(p), false), translation({x, 0, 0}));
    std::vector<Vec2> c = {{base * 0.75, top + height * 0.86}, {base * 0.45, top + height + 0.05},
                           {0.0, top + height + cap}};
    add(m, palette::brass(), makeLathe(c, segmentsFor(c), false), translation({x, 0, 0}));
  };
  dome(1.6, 1.0, 1.4, 0.15);
  dome(5.6, 0.75, 1.0, 0.1);
  // Safety valves and whistle in front of the cab.
  for (double y : {-0.3, 0.3})
    add(m, palette::brass(), makeCylinder(0.16, 0.9, segmentsForRadius(0.16)), translation({-5.4, y, top - 0.1}));
  add(m, palette::brass(), makeLathe({{0.12, 0}, {0.12, 0.8}, {0.22, 0.9}, {0.22, 1.3}, {0, 1.35}}, 12, false),
      translation({-5.9, 0, top}));
  // Headlamp on the smokebox front.
  add(m, palette::smokeboxBlack(), boxBetween({12.2, -0.45, 4.45}, {12.9, 0.45, 5.3}));
  add(m, palette::glowWindow(),
      rodX(12.9, nightlights::kLampGlassX, 0, nightlights::kLampCentreZ,
           nightlights::kLampGlassRadius, 16));
  // Handrails along the boiler.
  for (double y : {-2.55, 2.55}) {
    add(m, palette::brass(), rodX(kBoilerRearX, kSmokeboxFrontX - 0.2, y, 3.0, 0.05, 8));
  }
}

// Inside the cab, seen through its windows: the firebox's back end with
// its door open on the fire, and two gauges.
void addCabInterior(Model& m, double frontX, double floorZ) {
  add(m, palette::smokeboxBlack(), boxBetween({frontX - 1.0, -1.7, floorZ}, {frontX - 0.16, 1.7, 3.6}));
  Material flame = litMaterial(1.15f, 1.15f, 1.15f, 0, 0);  // glows: ambient only
  for (int i = 0; i < 3; ++i) flame.diffuse[i] = 0;
  TriangleList door = makeQuad({0, 0}, nightlights::kCabFireWidth, nightlights::kCabFireHeight);
  addShape(m, textures::kFire, flame, door,
           compose(translation({nightlights::kCabFireX, 0, nightlights::kCabFireZ}),
                   compose(rotationZ(-90), rotationX(90))));
  for (double y : {-0.6, 0.6})
    add(m, palette::brass(), rodX(frontX - 1.12, frontX - 1.0, y, 3.0, 0.22));
}

void addCab(Model& m) {
  const double w = kCabHalfWidth, x0 = kCabRearX, x1 = kBoilerRearX;
  const double floorZ = kRunningBoardZ, eaves = 5.8;
  // Side sheets with a window opening: lower panel, posts, window header.
  for (double s : {-1.0, 1.0}) {
    double y0 = s * w - 0.08, y1 = s * w + 0.08;
    auto side = [&](double xa, double xb, double za, double zb) {
      add(m, palette::boilerGreen(), boxBetween({xa, std::min(y0, y1), za}, {xb, std::max(y0, y1), zb}));
    };
    side(x0, x1, floorZ, 2.6);
    side(x0, x0 + 0.5, 2.6, eaves);
    side(x1 - 1.3, x1, 2.6, eaves);
    side(x0, x1, 4.8, eaves);
    add(m, palette::brass(), boxBetween({x0 + 0.5, std::min(y0, y1) - 0.02, 2.55}, {x1 - 1.3, std::max(y0, y1) + 0.02, 2.65}));
  }
  // Front sheet around the boiler, with two round spectacle windows.
  add(m, palette::boilerGreen(), boxBetween({x1 - 0.16, -w, floorZ}, {x1, w, eaves}));
  for (double y : {-nightlights::kSpectacleY, nightlights::kSpectacleY})
    add(m, palette::glowWindow(), rodX(x1, nightlights::kSpectacleX, y, nightlights::kSpectacleZ,
                                       nightlights::kSpectacleRadius, 18));
  // Roof: a shallow arch overhanging front and back.
  std::vector<Vec2> arch;
  const int steps = 12;
  for (int i = 0; i <= steps; ++i) {
    double a = kPi * i / steps;
    arch.push_back({-(w + 0.35) * std::cos(a), eaves + 0.7 * std::sin(a)});
  }
  for (int i = steps; i >= 0; --i) {
    double a = kPi * i / steps;
    arch.push_back({-(w + 0.2) * std::cos(a), eaves - 0.15 + 0.62 * std::sin(a)});
  }
  add(m, palette::cabRoof(), makeExtrusion(arch, x1 - x0 + 1.0, 1.0),
      compose(translation({x0 - 0.6, 0, 0}), compose(rotationY(90), rotationZ(90))));
  // Cab floor; the back stays open towards the firebox car.
  add(m, palette::darkSteel(), boxBetween({x0, -w, floorZ - 0.2}, {x1, w, floorZ}));
  addCabInterior(m, x1, floorZ);
  // Brass number plates low on both cab sides.
  for (double s : {-1.0, 1.0}) {
    TriangleList plate = makeQuad({0, 0}, 1.9, 0.95);
    // Stand the quad up (its +Y to +Z) and turn its face to the side.
    Affine at = compose(translation({-9.2, s * (w + 0.085), 1.1}), compose(rotationZ(s > 0 ? 180 : 0), rotationX(90)));
    addShape(m, textures::kNumberPlate, palette::plate(), plate, at);
  }
}

void addFrameAndFootplate(Model& m) {
  // Main frames between the wheels.
  for (double y : {-1.3, 1.3})
    add(m, palette::frameRed(), boxBetween({-11.0, y - 0.08, -3.3}, {14.2, y + 0.08, kRunningBoardZ}));
  // Running boards with a red valance along their edges.
  add(m, palette::darkSteel(), boxBetween({-6.5, -3.7, kRunningBoardZ - 0.12}, {14.2, 3.7, kRunningBoardZ}));
  for (double s : {-1.0, 1.0})
    add(m, palette::frameRed(),
        boxBetween({-6.5, s > 0 ? 3.64 : -3.74, kRunningBoardZ - 0.35}, {14.2, s > 0 ? 3.74 : -3.64, kRunningBoardZ}));
  // Buffer beam, buffers, coupling hook and a snow plough.
  add(m, palette::frameRed(), boxBetween({14.2, -3.6, -2.4}, {14.6, 3.6, kRunningBoardZ}));
  for (double y : {-2.5, 2.5}) {
    add(m, palette::darkSteel(), rodX(14.6, 15.3, y, -1.4, 0.26));
    add(m, palette::steel(), rodX(15.3, 15.45, y, -1.4, 0.45));
  }
  add(m, palette::darkSteel(), boxBetween({14.6, -0.15, -1.6}, {15.2, 0.15, -1.3}));
  // A low snow plough under the buffer beam: two blades meeting in a point.
  for (double side : {-1.0, 1.0}) {
    std::vector<Vec2> blade = {{0, 0}, {3.4, 0}, {3.4, 2.4}, {0, 0.6}};
    Affine at = compose(translation({16.4, 0, -5.0}), compose(rotationZ(side * 62 + 180), rotationX(90)));
    add(m, palette::frameRed(), makeExtrusion(blade, 0.12, 1.0), compose(at, translation({0, 0, -0.06})));
  }
}

void addCylinders(Model& m) {
  for (double s : {-1.0, 1.0}) {
    double y = s * dims::kMainRodY;
    latheX(m, palette::boilerGreen(),
           {{0.0, kCylinderX0 - 0.1}, {0.7, kCylinderX0 - 0.1}, {0.8, kCylinderX0}, {0.8, kCylinderX1},
            {0.7, kCylinderX1 + 0.1}, {0.0, kCylinderX1 + 0.1}},
           y, dims::kBigWheelCentreZ);
    latheX(m, palette::brass(), {{0.82, kCylinderX0 + 0.9}, {0.82, kCylinderX0 + 1.1}}, y, dims::kBigWheelCentreZ);
    // Valve chest above, where the valve spindle enters.
    double yc = s * dims::kLeverPivotY;
    add(m, palette::boilerGreen(), boxBetween({kCylinderX0, yc - 0.5, -2.3}, {kCylinderX1, yc + 0.5, -0.75}));
    add(m, palette::darkSteel(), rodX(kCylinderX0 - 0.25, kCylinderX0, yc, dims::kLeverPivotZ, 0.16));
    // Slide bars above and below the crosshead, held by a motion bracket.
    for (double z : {-2.5, -3.5})
      add(m, palette::steel(), boxBetween({dims::kSlideBarsStartX, y - 0.12, z - 0.06}, {kCylinderX0, y + 0.12, z + 0.06}));
    add(m, palette::darkSteel(), boxBetween({5.75, y - 0.1, -2.45}, {6.05, y + 0.1, kRunningBoardZ}));
    // Hanger for the expansion link's trunnion.
    double yh = s * (dims::kLeverPivotY + 0.2);
    add(m, palette::darkSteel(), boxBetween({dims::kLeverPivotX - 0.25, yh - 0.05, dims::kLeverPivotZ - 0.2},
                                            {dims::kLeverPivotX + 0.25, yh + 0.05, kRunningBoardZ}));
    add(m, palette::darkSteel(), bossY({dims::kLeverPivotX, yh - s * 0.1, dims::kLeverPivotZ}, 0.1, 0.3));
  }
}

}  // namespace

Model makeLocomotiveBody() {
  Model m;
  addBoiler(m);
  addBoilerFittings(m);
  addCab(m);
  addFrameAndFootplate(m);
  addCylinders(m);
  return m;
}
