// The running gear's joints stay together through a whole turn when the
// parts move as the locomotive's nodes move them, and the models carry
// their pins where those nodes expect them.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/assets/archive_reading.h"
#include "tools/assets/dimensions.h"

namespace {

const double kPi = 3.14159265358978;

// A point in the train's XZ plane; rotations are about Y, positive angles
// moving +Z towards +X, as the nodes turn.
struct P2 {
  double x, z;
};
P2 turn(P2 p, double degrees) {
  double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
  return {p.x * c + p.z * s, -p.x * s + p.z * c};
}
P2 add(P2 a, P2 b) { return {a.x + b.x, a.z + b.z}; }
double distance(P2 a, P2 b) { return std::hypot(a.x - b.x, a.z - b.z); }

const P2 kMiddleAxle{1.64, -3.0};

// Side +1 (the +Y side) or -1; theta is the wheel angle in degrees.
struct Pose {
  double theta;
  int side;
  double wave(double amplitude, double phase) const { return amplitude * std::sin(theta * kPi / 180 + phase); }
};

// Where the eccentric rod's far pin is, and where the link's foot pin is.
P2 eccentricRodEnd(const Pose& p) {
  // Pivot at the return crank's end: 1.3 below (+Y) or above (-Y, the crank
  // turned half a turn) the crank pin, turning with the wheel.
  P2 pivot = add(kMiddleAxle, turn({0, -p.side * (dims::kReturnCrankLength - dims::kCrankRadius)}, p.theta));
  double swing = p.side > 0 ? p.wave(4.9, -kPi / 2) : p.wave(4.9, kPi / 2);
  return add(pivot, turn({dims::kEccentricRodEnd.x, dims::kEccentricRodEnd.z}, swing));
}

P2 linkFootPin(const Pose& p) {
  double swing = p.side > 0 ? p.wave(30, 0) : p.wave(30, -kPi);
  return add({dims::kLeverPivotX, dims::kLeverPivotZ}, turn({dims::kLinkFootPin.x, dims::kLinkFootPin.z}, swing));
}

P2 crosshead(const Pose& p) {
  P2 pin = add(kMiddleAxle, turn({0, p.side * dims::kCrankRadius}, p.theta));
  double swing = p.side > 0 ? p.wave(9, kPi / 2) : p.wave(9, -kPi / 2);
  return add(pin, turn({dims::kMainRodLength, 0}, swing));
}

// The valve spindle's origin and its absolute angle.
P2 valveSpindle(const Pose& p, double& angle) {
  double lever = p.side > 0 ? p.wave(30, 0) : p.wave(30, -kPi);
  double rod = lever + (p.side > 0 ? p.wave(37, kPi) : p.wave(37, 0));
  angle = rod + (p.side > 0 ? p.wave(8, 0) : p.wave(8, -kPi));
  P2 end = add({dims::kLeverPivotX, dims::kLeverPivotZ}, turn({dims::kLeverArm, 0}, lever));
  return add(end, turn({dims::kRadiusRodLength, 0}, rod));
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
      EXPECT_NEAR(c.z, dims::kBigWheelCentreZ, 0.1) << pose.theta;
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
      EXPECT_NEAR(origin.z, dims::kLeverPivotZ, 0.05);
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
      if (p.y * side > dims::kCouplingRodY - 0.1) {  // past the hub, on the pin
        sumX += p.x, sumZ += p.z, ++count;
        reach = std::max(reach, std::fabs(p.y));
      }
    ASSERT_GT(count, 0) << side;
    EXPECT_NEAR(sumX / count, 0.0, 0.02) << side;
    EXPECT_NEAR(sumZ / count, side * dims::kCrankRadius, 0.02) << side;
    EXPECT_GT(reach, dims::kCouplingRodY) << side;
  }
  double low = 1e9, high = -1e9;
  for (const Vec3& p : allPositions(rod)) low = std::min(low, p.x), high = std::max(high, p.x);
  EXPECT_NEAR(high - low, 2 * dims::kDriverSpacing + 0.68, 0.02);  // pins 4.4 either side, bosses 0.34
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
