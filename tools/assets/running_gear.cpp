#include <cmath>

#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/parts.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// Rods and levers, each with its origin on the pin its node turns about.
// Where two parts meet, both carry a boss at the shared pin, so the joint
// stays covered through the whole turn.

namespace {

using dims::kEccentricRodEnd;
using dims::kLinkFootPin;

void steel(Model& m, const TriangleList& shape) { addShape(m, textures::kGrain, palette::steel(), shape); }
void dark(Model& m, const TriangleList& shape) { addShape(m, textures::kGrain, palette::darkSteel(), shape); }

}  // namespace

Model makeCouplingRod() {
  Model m;
  const double s = dims::kDriverSpacing;
  steel(m, barXZ({-s, 0}, {s, 0}, 0.34, 0.14));
  steel(m, barXZ({-s + 0.5, 0.2}, {s - 0.5, 0.2}, 0.06, 0.18));  // fluting ridge
  for (double x : {-s, 0.0, s}) {
    steel(m, bossY({x, 0, 0}, 0.34, 0.2));
    dark(m, bossY({x, 0.12, 0}, 0.15, 0.1));
  }
  return m;
}

Model makeMainRod() {
  Model m;
  const double l = dims::kMainRodLength;
  steel(m, barXZ({0.3, 0}, {l - 0.25, 0}, 0.36, 0.15));
  steel(m, bossY({0, 0, 0}, 0.42, 0.2));
  steel(m, bossY({l, 0, 0}, 0.26, 0.2));
  dark(m, bossY({0, 0.13, 0}, 0.18, 0.08));
  dark(m, bossY({l, 0.13, 0}, 0.12, 0.08));
  return m;
}

Model makeCrosshead() {
  Model m;
  steel(m, boxBetween({-0.45, -0.16, -0.33}, {0.45, 0.16, 0.33}));
  dark(m, boxBetween({-0.55, -0.2, 0.33}, {0.55, 0.2, 0.44}));    // upper slipper
  dark(m, boxBetween({-0.55, -0.2, -0.44}, {0.55, 0.2, -0.33}));  // lower slipper
  steel(m, rodX(0.4, 3.4, 0, 0, 0.11));                           // piston rod
  dark(m, bossY({0, 0, 0}, 0.16, 0.42));
  return m;
}

Model makeReturnCrank() {
  Model m;
  const double l = dims::kReturnCrankLength;
  steel(m, barXZ({0, -0.1}, {0, -l + 0.1}, 0.26, 0.14));
  steel(m, bossY({0, 0, 0}, 0.3, 0.18));
  steel(m, bossY({0, 0, -l}, 0.2, 0.18));
  // Pins run both ways: the same model serves both sides, the far one
  // turned half a turn about Y, which keeps Y.
  dark(m, bossY({0, 0, 0}, 0.14, 1.4));
  dark(m, bossY({0, 0, -l}, 0.1, 0.8));
  return m;
}

Model makeEccentricRod() {
  Model m;
  steel(m, barXZ({0.15, 0.05}, {kEccentricRodEnd.x - 0.1, kEccentricRodEnd.z - 0.03}, 0.18, 0.12));
  steel(m, bossY({0, 0, 0}, 0.22, 0.14));
  steel(m, bossY({kEccentricRodEnd.x, 0, kEccentricRodEnd.z}, 0.17, 0.14));
  return m;
}

Model makeExpansionLink() {
  Model m;
  // A curved slotted link hanging from its trunnion, and a short arm
  // forward to the radius rod.
  const int pieces = 5;
  Vec2 prev{-0.06, 0.42};
  for (int i = 1; i <= pieces; ++i) {
    double f = double(i) / pieces;
    Vec2 next{-0.06 + (kLinkFootPin.x + 0.06) * f + 0.08 * std::sin(kPi * f),
              0.42 + (kLinkFootPin.z - 0.12 - 0.42) * f};
    steel(m, barXZ(prev, next, 0.2, 0.16));
    prev = next;
  }
  steel(m, barXZ({0.05, 0}, {dims::kLeverArm, 0}, 0.18, 0.14));
  steel(m, bossY({0, 0, 0}, 0.2, 0.22));
  steel(m, bossY({dims::kLeverArm, 0, 0}, 0.15, 0.18));
  dark(m, bossY({kLinkFootPin.x, 0, kLinkFootPin.z}, 0.1, 0.3));
  return m;
}

Model makeRadiusRod() {
  Model m;
  const double l = dims::kRadiusRodLength;
  steel(m, barXZ({0.1, 0}, {l - 0.1, 0}, 0.17, 0.1));
  steel(m, bossY({0, 0, 0}, 0.14, 0.14));
  steel(m, bossY({l, 0, 0}, 0.14, 0.14));
  return m;
}

Model makeValveSpindle() {
  Model m;
  dark(m, boxBetween({-0.18, -0.1, -0.16}, {0.22, 0.1, 0.16}));
  steel(m, rodX(0.2, 1.75, 0, 0, 0.07, 10));
  return m;
}
