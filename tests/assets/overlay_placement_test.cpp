// Every overlay piece, placed as the saver places its node, lies wholly on
// screen at 4:3 and at 16:9, for both clock depths and every clock form.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/assets/archive_reading.h"

namespace {

const double kTanHalfFov = std::tan(22.5 * 3.14159265358979 / 180);

// Eye-space geometry of a picture with the given aspect.
struct Screen {
  double aspect;
  double edgeX(double depth) const { return depth * aspect * kTanHalfFov; }
  double edgeY(double depth) const { return depth * kTanHalfFov; }
  // Whether a point given relative to the overlay root (the frame moves it
  // 100 units into the screen) shows inside the picture.
  bool shows(double x, double y, double z) const {
    double eyeZ = z - 100;
    double limitX = -eyeZ * aspect * kTanHalfFov, limitY = -eyeZ * kTanHalfFov;
    return eyeZ < 0 && std::fabs(x) <= limitX + 1e-9 && std::fabs(y) <= limitY + 1e-9;
  }
};

const Screen kScreens[] = {{1024.0 / 768.0}, {1920.0 / 1080.0}};

class OverlayPlacement : public ::testing::Test {
 protected:
  // Checks every vertex of `entry`, turned by `angle` degrees about Z and
  // moved by (x, y, z), against both screens.
  void expectOnScreen(const std::string& file, const std::string& entry, double x, double y, double z,
                      const Screen& screen, double angle = 0) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive) << file;
    std::vector<ReadMesh> meshes;
    ASSERT_TRUE(readModel(*archive, entry, meshes)) << entry;
    double c = std::cos(angle * 3.14159265358979 / 180), s = std::sin(angle * 3.14159265358979 / 180);
    for (const Vec3& p : allPositions(meshes)) {
      double px = c * p.x - s * p.y, py = s * p.x + c * p.y;
      ASSERT_TRUE(screen.shows(x + px, y + py, z + p.z))
          << file << ":" << entry << " vertex " << p.x << "," << p.y << " at aspect " << screen.aspect;
    }
  }
};

}  // namespace

TEST_F(OverlayPlacement, AnalogClockAtBothDepths) {
  for (const Screen& screen : kScreens)
    for (bool large : {true, false}) {
      double depth = large ? -70 : -170, z = large ? 30 : -70;
      double x = -screen.edgeX(depth) - 9.3, y = screen.edgeY(depth) + 9.0;
      expectOnScreen("clock.pak", "ciferblat", x, y, z, screen);
      for (int step = 0; step < 60; ++step)
        for (const char* hand : {"sec", "min", "chas"}) expectOnScreen("clock.pak", hand, x, y, z, screen, -6.0 * step);
    }
}

TEST_F(OverlayPlacement, DigitalClockInBothFormsAndDepths) {
  const double slots[] = {-6.483, -2.498, 0.0, 2.523, 6.466};
  for (const Screen& screen : kScreens)
    for (bool large : {true, false})
      for (bool hours24 : {true, false}) {
        double depth = large ? -70 : -170, z = large ? 30 : -70;
        double x = -screen.edgeX(depth) - 10.0 - (hours24 ? 0.0 : 5.186), y = screen.edgeY(depth) + 1.0;
        expectOnScreen("clock.pak", hours24 ? "podlozka" : "podlozka_am", x, y, z, screen);
        for (double slot : slots) {
          for (int d = 0; d < 10; ++d) expectOnScreen("clock.pak", std::to_string(d), x + slot, y, z, screen);
          expectOnScreen("clock.pak", "dot", x + slot, y, z, screen);
        }
        if (!hours24)
          for (const char* plate : {"am", "pm"}) expectOnScreen("clock.pak", plate, x + 11.432, y, z, screen);
      }
}

TEST_F(OverlayPlacement, CalendarSheetInBothVariants) {
  for (const Screen& screen : kScreens) {
    double x = -screen.edgeX(-211), y = screen.edgeY(183), z = -140;
    for (const char* back : {"fon", "fon_rus"}) expectOnScreen("calendar.pak", back, x - 16, y - 12, z, screen);
    for (const char* header : {"day", "day_rus"}) expectOnScreen("calendar.pak", header, x - 16, y + 8, z, screen);
    for (int m = 1; m <= 12; ++m) expectOnScreen("calendar.pak", "m" + std::to_string(m), x - 16, y + 16, z, screen);
    for (int i = 0; i < 42; ++i) {
      double cx = x + (i % 7) * 8 - 40, cy = y - (i / 7) * 8;
      expectOnScreen("calendar.pak", "sel", cx, cy, z, screen);
      expectOnScreen("calendar.pak", "null", cx, cy, z, screen);
      if (i < 31) expectOnScreen("calendar.pak", std::to_string(i + 1), cx, cy, z, screen);
    }
  }
}

TEST_F(OverlayPlacement, FrameRateCounterLabelAndDigits) {
  for (const Screen& screen : kScreens) {
    double x = screen.edgeX(-100) + 5.0, y = -screen.edgeY(-100) - 2.5;
    expectOnScreen("utils.pak", "fps", x, y, 0, screen);
    for (double slot : {0.5, 1.9, 3.3})
      for (int d = 0; d < 10; ++d) expectOnScreen("utils.pak", std::to_string(d), x + slot, y, 0, screen);
  }
}

TEST(OverlayLayout, CounterLabelSitsLeftOfTheDigitsWithoutOverlap) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("utils.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> label, digit;
  ASSERT_TRUE(readModel(*archive, "fps", label));
  ASSERT_TRUE(readModel(*archive, "0", digit));
  ASSERT_EQ(digit.size(), 1u);
  double labelRight = -1e9, digitLeft = 1e9, digitRight = -1e9;
  for (const ReadMesh& m : label)
    if (m.texture == digit.front().texture)  // the label's figures, not its backing
      for (const Vec3& p : m.positions) labelRight = std::max(labelRight, p.x);
  for (const Vec3& p : allPositions(digit)) digitLeft = std::min(digitLeft, p.x), digitRight = std::max(digitRight, p.x);
  EXPECT_LE(labelRight, 0.0);
  EXPECT_LE(labelRight, 0.5 + digitLeft);  // hundreds digit at 0.5
  EXPECT_LE(digitRight - digitLeft, 1.4);  // neighbours 1.4 apart never overlap
}
