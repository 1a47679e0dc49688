#pragma once
#include "tools/assets/geometry.h"

// Dimensions that other code depends on, in scene units, in the train's
// frame (X forward, Y across, Z up). The locomotive builder places each
// part's node at fixed points; these values make the models meet there.
namespace dims {

// Every wheel stands on the same rail top. Wheel centres are fixed by the
// node positions (z = -3.0, -3.8, -3.5), so the radii follow: centre minus
// radius = rail top for each.
constexpr double kRailTopZ = -5.3;
constexpr double kBigWheelCentreZ = -3.0;
constexpr double kSmallWheelCentreZ = -3.8;
constexpr double kMiddleWheelCentreZ = -3.5;
constexpr double kBigWheelRadius = kBigWheelCentreZ - kRailTopZ;        // 2.3
constexpr double kSmallWheelRadius = kSmallWheelCentreZ - kRailTopZ;    // 1.5
constexpr double kMiddleWheelRadius = kMiddleWheelCentreZ - kRailTopZ;  // 1.8

// Wheel treads and rail heads meet at y = +-kGaugeHalf. The coupling rods
// run at +-2.5, so the wheel faces must stay inside about 2.3.
constexpr double kGaugeHalf = 1.85;
constexpr double kTreadWidth = 0.42;

// Crank pins sit 0.923 from the driving axle; the coupling rod spans the
// three driving axles, 4.4 apart.
constexpr double kCrankRadius = 0.923;
constexpr double kDriverSpacing = 4.4;
constexpr double kCouplingRodY = 2.5;
constexpr double kMainRodY = 2.8;
constexpr double kMainRodLength = 5.6;  // crank pin to crosshead pin
constexpr double kReturnCrankY = 3.1;
constexpr double kReturnCrankLength = 1.3;  // down to the eccentric rod's pin
constexpr double kEccentricRodY = 3.4;

// Valve gear on the body: lever pivot, lever arm to the radius rod, radius
// rod to the valve spindle.
constexpr double kLeverPivotX = 4.16;
constexpr double kLeverPivotY = 3.3;
constexpr double kLeverPivotZ = -1.473;
constexpr double kLeverArm = 0.76;
constexpr double kRadiusRodLength = 3.05;

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

// The smoke leaves the chimney top here.
constexpr double kChimneyTopX = 11.0;
constexpr double kChimneyTopZ = 7.2;

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

// Where the scene assembly puts light 1, in the landscape frame. Terrain is
// drawn unlit, so its textures bake this light in; seen from the track bed
// under the train (z = kTrackBedZ) it stands high on the +Y side.
constexpr Vec3 kLightPosition{0.0, 10.0, 20.0};
constexpr double kTrackBedZ = -6.0;

}  // namespace dims
