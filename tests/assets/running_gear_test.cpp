// The running gear's joints stay together through a whole turn when the
// parts move as the locomotive's nodes move them, and the models carry
// their pins where those nodes expect them.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/assets/archive_reading.h"
#include "tools/assets/dimensions.h"
#include "train/locomotive_layout.h"

namespace {

using namespace locomotive_layout;

// A point in the train's XZ plane; rotations are about Y, positive angles
// moving +Z towards +X, as the nodes turn.
struct P2 {
  double x, z;
};
P2 turn(P2 p, double degrees) {
  double a = degrees * locomotive_layout::kPi / 180, c = std::cos(a), s = std::sin(a);
  return {p.x * c + p.z * s, -p.x * s + p.z * c};
}
P2 add(P2 a, P2 b) { return {a.x + b.x, a.z + b.z}; }
double distance(P2 a, P2 b) { return std::hypot(a.x - b.x, a.z - b.z); }

const P2 kMiddleAxle{kMiddleDriverX, kBigWheelCentreZ};

// Side +1 (the +Y side) or -1; theta is the wheel angle in degrees.
struct Pose {
  double theta;
  int side;
  // The swing's angle in degrees, as the saver's nodes turn.
  double wave(const Swing& s) const {
    return s.amplitude * std::sin(theta * locomotive_layout::kPi / 180 + (side > 0 ? s.phasePlusY : s.phaseMinusY));
  }
};

// Where the eccentric rod's far pin is, and where the link's foot pin is.
P2 eccentricRodEnd(const Pose& p) {
  // Pivot at the return crank's end: 1.3 below (+Y) or above (-Y, the crank
  // turned half a turn) the crank pin, turning with the wheel.
  P2 pivot = add(kMiddleAxle, turn({0, -p.side * (kReturnCrankLength - kCrankRadius)}, p.theta));
  return add(pivot, turn({dims::kEccentricRodEnd.x, dims::kEccentricRodEnd.z}, p.wave(kEccentricRodSwing)));
}

P2 linkFootPin(const Pose& p) {
  P2 pin{dims::kLinkFootPin.x, dims::kLinkFootPin.z};
  return add({kLeverPivotX, kLeverPivotZ}, turn(pin, p.wave(kExpansionLinkSwing)));
}

P2 crosshead(const Pose& p) {
  P2 pin = add(kMiddleAxle, turn({0, p.side * kCrankRadius}, p.theta));
  return add(pin, turn({kMainRodLength, 0}, p.wave(kMainRodSwing)));
}

// The valve spindle's origin and its absolute angle.
P2 valveSpindle(const Pose& p, double& angle) {
  double lever = p.wave(kExpansionLinkSwing);
  double rod = lever + p.wave(kRadiusRodSwing);
  angle = rod + p.wave(kValveSpindleSwing);
  P2 end = add({kLeverPivotX, kLeverPivotZ}, turn({kLeverArm, 0}, lever));
  return add(end, turn({kRadiusRodLength, 0}, rod));
}

}  // namespace

TEST(RunningGear, EccentricRodMeetsTheExpansionLinkThroughATurn) {
  for (int side : {1, -1})
    for (int step = 0; step < 72; ++step) {
      Pose pose{step * 5.0, side};
      EXPECT_LT(distance(eccentricRodEnd(pose), linkFootPin(pose)), 0.25) << "side " << side << " at " << pose.theta;
    }
}

TEST(RunningGear, CrossheadsStayOnTheSlideBarsAndPistonRodsInTheCylinders) {
  for (int side : {1, -1})
    for (int step = 0; step < 72; ++step) {
      Pose pose{step * 5.0, side};
      P2 c = crosshead(pose);
      EXPECT_NEAR(c.z, kBigWheelCentreZ, 0.1) << pose.theta;
      EXPECT_GE(c.x - 0.55, dims::kSlideBarsStartX) << pose.theta;   // slippers 1.1 long
      EXPECT_LE(c.x + 0.55, dims::kCylinderStartX) << pose.theta;
      EXPECT_GT(c.x + 3.4, dims::kCylinderStartX + 0.1) << pose.theta;  // piston rod 3.4 long
    }
}

TEST(RunningGear, ValveSpindleStaysLevelAndReachesIntoTheValveChest) {
  for (int side : {1, -1})
    for (int step = 0; step < 72; ++step) {
      Pose pose{step * 5.0, side};
      double angle = 0;
      P2 origin = valveSpindle(pose, angle);
      P2 tip = add(origin, turn({1.75, 0}, angle));
      EXPECT_NEAR(origin.z, kLeverPivotZ, 0.05);
      EXPECT_GT(tip.x, dims::kCylinderStartX + 0.2) << pose.theta;
      EXPECT_LT(tip.x, dims::kCylinderEndX) << pose.theta;
    }
}

TEST(RunningGear, DrivingWheelsCarryCrankPinsWhereTheRodsHang) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> wheel, rod;
  ASSERT_TRUE(readModel(*archive, "kolesobig", wheel));
  ASSERT_TRUE(readModel(*archive, "balka", rod));
  // The pin sticks out beyond the wheel's face: +Y side at the top, -Y side
  // at the bottom, both on the coupling rod's line y = +-2.5.
  for (int side : {1, -1}) {
    double sumX = 0, sumZ = 0, count = 0, reach = 0;
    for (const Vec3& p : allPositions(wheel))
      if (p.y * side > kCouplingRodY - 0.1) {  // past the hub, on the pin
        sumX += p.x, sumZ += p.z, ++count;
        reach = std::max(reach, std::fabs(p.y));
      }
    ASSERT_GT(count, 0) << side;
    EXPECT_NEAR(sumX / count, 0.0, 0.02) << side;
    EXPECT_NEAR(sumZ / count, side * kCrankRadius, 0.02) << side;
    EXPECT_GT(reach, kCouplingRodY) << side;
  }
  double low = 1e9, high = -1e9;
  for (const Vec3& p : allPositions(rod)) low = std::min(low, p.x), high = std::max(high, p.x);
  EXPECT_NEAR(high - low, 2 * kDriverSpacing + 0.68, 0.02);  // pins 4.4 either side, bosses 0.34
  EXPECT_NEAR(high + low, 0.0, 1e-9);
}

TEST(RunningGear, EccentricRodModelEndsAtItsPin) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> rod;
  ASSERT_TRUE(readModel(*archive, "porshen", rod));
  double farthest = 0;
  for (const Vec3& p : allPositions(rod)) farthest = std::max(farthest, std::hypot(p.x, p.z));
  double pin = std::hypot(dims::kEccentricRodEnd.x, dims::kEccentricRodEnd.z);
  EXPECT_GT(farthest, pin);
  EXPECT_LT(farthest, pin + 0.25);
}
