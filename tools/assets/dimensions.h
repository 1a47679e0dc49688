#pragma once
#include "tools/assets/geometry.h"
#include "train/locomotive_layout.h"

// Dimensions that other code depends on, in scene units, in the train's
// frame (X forward, Y across, Z up). The locomotive builder places each
// part's node at the points of its layout; these values make the models
// meet there.
namespace dims {

using namespace locomotive_layout;

// Every wheel stands on the same rail top, so the radii follow from the
// wheel centres: centre minus radius = rail top for each.
constexpr double kRailTopZ = -5.3;
constexpr double kBigWheelRadius = kBigWheelCentreZ - kRailTopZ;        // 2.3
constexpr double kSmallWheelRadius = kSmallWheelCentreZ - kRailTopZ;    // 1.5
constexpr double kMiddleWheelRadius = kMiddleWheelCentreZ - kRailTopZ;  // 1.8

// Wheel treads and rail heads meet at y = +-kGaugeHalf. The coupling rods
// run at +-kCouplingRodY, so the wheel faces must stay inside about 2.3.
constexpr double kGaugeHalf = 1.85;
constexpr double kTreadWidth = 0.42;

// The eccentric rod's far end in its own frame (x, z), and the matching pin
// on the expansion link in the link's frame, chosen by least squares over a
// turn so that the two meet within about 0.2 units while the wheel turns
// and the link swings.
struct PinXZ {
  double x, z;
};
constexpr PinXZ kEccentricRodEnd{2.575, 0.822};
constexpr PinXZ kLinkFootPin{0.047, -0.754};

// Slide bars and cylinders on the body, along x, at the crossheads' height.
constexpr double kSlideBarsStartX = 5.7;
constexpr double kCylinderStartX = 9.2;
constexpr double kCylinderEndX = 11.3;

// Sleepers and rails: rail head top at the wheels' contact height.
constexpr double kRailHeight = 0.55;
constexpr double kSleeperTopZ = kRailTopZ - kRailHeight;

// Terrain pieces are 200 long and placed 200 apart; the model spans
// x = kTerrainStartX .. kTerrainStartX + kTerrainLength. The planting
// tables reach from x = -155 to 45, so that is the span: every spot then
// lies on its own piece, the outermost ones on its ends.
constexpr double kTerrainLength = 200.0;
constexpr double kTerrainStartX = -155.0;
constexpr double kTerrainHalfWidth = 110.0;

// The track bed under the train, from where the baked light is aimed.
constexpr double kTrackBedZ = -6.0;

}  // namespace dims
