#include "tools/assets/wheels.h"

#include <cmath>

#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/primitives.h"

namespace {

// Wheel parts are modelled with the axle along local Z; this turns local Z
// into +Y and local -Y into +Z (a local angle phi lands at (cos, -sin) in XZ).
Affine axleToY(double y) { return compose(translation({0, y, 0}), rotationX(-90)); }

// Crescent between two radii over [a0, a1] radians, extruded `depth` along Z.
TriangleList crescent(double inner, double outer, double a0, double a1, double depth) {
  std::vector<Vec2> outline;
  const int steps = 10;
  for (int i = 0; i <= steps; ++i) {
    double a = a0 + (a1 - a0) * i / steps;
    outline.push_back({outer * std::cos(a), outer * std::sin(a)});
  }
  for (int i = steps; i >= 0; --i) {
    double a = a0 + (a1 - a0) * i / steps;
    outline.push_back({inner * std::cos(a), inner * std::sin(a)});
  }
  return makeExtrusion(outline, depth, 0.5);
}

// One wheel in local coordinates, its outer face towards +Z when `outerUp`.
void addWheel(Model& m, double r, int spokes, double y, bool outerUp, bool crank) {
  const double w = dims::kTreadWidth;
  Affine place = axleToY(y);
  Affine flip = outerUp ? Affine() : rotationX(180);
  auto at = [&](const Affine& local) { return compose(place, compose(flip, local)); };
  // The tyre's segments also set how far the wheel rises off the rail as
  // it turns: by the chords' distance inside the circle.
  const int rimSegments = segmentsForRadius(r);
  const double hubRadius = 0.42 + r * 0.06;

  addShape(m, textures::kGrain, palette::steel(), makeTube(r - 0.22, r, w, rimSegments, 1.0),
           at(translation({0, 0, -w / 2})));
  // The red rim sits inside the tyre, which hides its outer wall; the
  // spokes' ends are buried in the rim and the hub.
  addShape(m, textures::kGrain, palette::wheelRed(), makeTube(r - 0.38, r - 0.2, w * 0.7, rimSegments, 1.0, false),
           at(translation({0, 0, -w * 0.35})));
  addShape(m, textures::kGrain, palette::wheelRed(), makeCylinder(hubRadius, w + 0.2, segmentsForRadius(hubRadius)),
           at(translation({0, 0, -w / 2 - 0.05})));
  addShape(m, textures::kGrain, palette::darkSteel(), makeCylinder(0.2, 0.1, segmentsForRadius(0.2)),
           at(translation({0, 0, w / 2 + 0.15})));
  double spokeLength = r - 0.3 - 0.4;
  for (int i = 0; i < spokes; ++i) {
    double a = 2 * kPi * (i + 0.5) / spokes;
    TriangleList spoke = makeBox({spokeLength, 0.14 + r * 0.02, 0.14}, 0.5, false);
    addShape(m, textures::kGrain, palette::wheelRed(), spoke,
             at(compose(rotationZ(a * 180 / kPi), translation({0.4 + spokeLength / 2, 0, 0}))));
  }
  if (!crank) return;
  // Local angle of the crank pin. World top (+Z) is local -Y on the +Y
  // wheel; the -Y wheel is flipped, so the same local angle lands at the
  // bottom there: the two cranks are half a turn apart.
  double crankAngle = -kPi / 2;
  double weightAngle = crankAngle + kPi;
  addShape(m, textures::kGrain, palette::wheelRed(),
           crescent(0.5 * r, r - 0.34, weightAngle - 0.55, weightAngle + 0.55, 0.24),
           at(translation({0, 0, -0.11})));
  Vec2 pin{dims::kCrankRadius * std::cos(crankAngle), dims::kCrankRadius * std::sin(crankAngle)};
  addShape(m, textures::kGrain, palette::wheelRed(), makeCylinder(0.34, 0.18, segmentsForRadius(0.34)),
           at(translation({pin.x, pin.y, w / 2 - 0.02})));
  double pinLength = dims::kCouplingRodY + 0.17 - std::fabs(y) - w / 2;
  addShape(m, textures::kGrain, palette::steel(), makeCylinder(0.14, pinLength, segmentsForRadius(0.14)),
           at(translation({pin.x, pin.y, w / 2})));
}

}  // namespace

Model makeWheelset(double radius, int spokes, bool cranks) {
  Model m;
  for (int side : {1, -1}) addWheel(m, radius, spokes, side * dims::kGaugeHalf, side > 0, cranks);
  // The axle's ends lie inside the hubs: no caps.
  double axleLength = 2 * dims::kGaugeHalf;
  addShape(m, textures::kGrain, palette::darkSteel(),
           makeCylinder(0.22, axleLength, segmentsForRadius(0.22), false), axleToY(-dims::kGaugeHalf));
  return m;
}
