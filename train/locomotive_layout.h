#pragma once

// Where the locomotive's parts are joined and how far they swing, in the
// train's frame (X forward, Y across, Z up, scene units). The builder puts
// its nodes at these points; the asset generator shapes the models to meet
// there. Pins and rods are given for the +Y side; the -Y side's cranks stand
// half a turn on.
namespace locomotive_layout {

constexpr double kPi = 3.14159265358978;
constexpr double kHalfPi = 1.57079632679489;

// Wheel centres. The three driving wheels are kDriverSpacing apart; the
// middle one carries the cranks.
constexpr double kRearDriverX = -2.76;
constexpr double kMiddleDriverX = 1.64;
constexpr double kFrontDriverX = 6.04;
constexpr double kDriverSpacing = 4.4;
constexpr double kBigWheelCentreZ = -3.0;
constexpr double kSmallWheelX = 12.84;
constexpr double kSmallWheelCentreZ = -3.8;
constexpr double kMiddleWheelX = -9.36;
constexpr double kMiddleWheelCentreZ = -3.5;

// The crank pins stand kCrankRadius from the middle axle: the coupling rod
// on them at kCouplingRodY, the main rod (kMainRodLength to the crosshead)
// kRodOutsetY further out. The return crank at kReturnCrankY reaches
// kReturnCrankLength down to the eccentric rod, which also hangs
// kRodOutsetY further out.
constexpr double kCrankRadius = 0.923;
constexpr double kCouplingRodY = 2.5;
constexpr double kRodOutsetY = 0.3;
constexpr double kMainRodY = kCouplingRodY + kRodOutsetY;
constexpr double kMainRodLength = 5.6;
constexpr double kReturnCrankY = 3.1;
constexpr double kReturnCrankLength = 1.3;

// Valve gear on the body: the expansion link's pivot, its arm to the radius
// rod, the radius rod to the valve spindle.
constexpr double kLeverPivotX = 4.16;
constexpr double kLeverPivotY = 3.3;
constexpr double kLeverPivotZ = -1.473;
constexpr double kLeverArm = 0.76;
constexpr double kRadiusRodLength = 3.05;

// An oscillation in step with the wheels: its amplitude in degrees and its
// phase in radians on each side.
struct Swing {
  double amplitude, phasePlusY, phaseMinusY;
};
constexpr Swing kExpansionLinkSwing{30, 0, -kPi};
constexpr Swing kRadiusRodSwing{37, kPi, 0};
constexpr Swing kValveSpindleSwing{8, 0, -kPi};
constexpr Swing kEccentricRodSwing{4.9, -kHalfPi, kHalfPi};
constexpr Swing kMainRodSwing{9, kHalfPi, -kHalfPi};
constexpr Swing kCrossheadSwing{9, -kHalfPi, kHalfPi};

// The coupled car's anchor, and the chimney top where the smoke starts.
constexpr double kCarAnchorX = -23.5;
constexpr double kChimneyTopX = 11.0;
constexpr double kChimneyTopZ = 7.2;

}  // namespace locomotive_layout
