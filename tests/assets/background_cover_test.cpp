// The background surrounds the world: from every eye position the dolly and
// the sway can reach, every ray through the picture's corners and edges
// meets it inside the far plane, so no black ever shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/assets/archive_reading.h"
#include "tools/assets/geometry.h"

namespace {

constexpr double kFar = 250.0;

// The landscape frame as the eye sees it: moved to the dolly's depth, tilted
// by -62 about X, turned -90 about Z, then swayed about Y and Z.
Affine landscapeToEye(double eyeDistance, double swayY, double swayZ) {
  Affine m = translation({0, 0, -eyeDistance});
  for (const Affine& r : {rotationX(-62), rotationZ(-90), rotationY(swayY), rotationZ(swayZ)}) m = compose(m, r);
  return m;
}

// Inverse of a rigid transform.
Affine inverse(const Affine& a) {
  Affine r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[j][i];
  r.t = r.linear(a.t) * -1.0;
  return r;
}

// Distance along the ray to the nearest triangle, or infinity.
double hitDistance(const std::vector<Vec3>& triangles, Vec3 origin, Vec3 dir) {
  double best = INFINITY;
  for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
    Vec3 e1 = triangles[i + 1] - triangles[i], e2 = triangles[i + 2] - triangles[i];
    Vec3 p = cross(dir, e2);
    double det = dot(e1, p);
    if (std::fabs(det) < 1e-12) continue;
    Vec3 s = origin - triangles[i];
    double u = dot(s, p) / det;
    if (u < 0 || u > 1) continue;
    Vec3 q = cross(s, e1);
    double v = dot(dir, q) / det;
    if (v < 0 || u + v > 1) continue;
    double t = dot(e2, q) / det;
    if (t > 1e-6 && t < best) best = t;
  }
  return best;
}

}  // namespace

TEST(Background, StaysWithinReachOfTheFarPlane) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> fon;
  ASSERT_TRUE(readModel(*archive, "fon", fon));
  // The eye is at most 53 units from the landscape origin.
  for (const Vec3& p : allPositions(fon)) ASSERT_LT(length(p) + 53.0, kFar) << p.x << "," << p.y << "," << p.z;
}

// The background leaves out what the terrain always hides (its field under
// the pieces, its dome's wall under the field's rim), so the rays are cast
// at it together with one piece where the first one starts: the pieces
// follow each other without gaps, so at every moment they cover at least
// that piece's span.
TEST(Background, EveryRayOfThePictureMeetsItOrAPieceAtEverySwayAndDolly) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> fon, piece;
  ASSERT_TRUE(readModel(*archive, "fon", fon));
  ASSERT_TRUE(readModel(*archive, "relef1", piece));
  std::vector<Vec3> triangles = piece[0].positions;
  for (const ReadMesh& m : fon)
    if (!m.alphaTest) triangles.insert(triangles.end(), m.positions.begin(), m.positions.end());
  const double tanHalf = std::tan(radians(22.5)), aspect = 16.0 / 9.0;
  for (double eye : {37.0, 53.0})
    for (double swayZ : {-80.0, -40.0, 0.0, 40.0, 80.0})
      for (double swayY : {-12.0, 12.0}) {
        Affine toLandscape = inverse(landscapeToEye(eye, swayY, swayZ));
        Vec3 origin = toLandscape.point({0, 0, 0});
        for (double sx = -1.0; sx <= 1.0; sx += 0.25)
          for (double sy = -1.0; sy <= 1.0; sy += 0.25) {
            Vec3 dir = normalized(toLandscape.linear({sx * tanHalf * aspect, sy * tanHalf, -1}));
            // The far plane cuts at depth 250: along a corner ray that is a
            // little further than 250.
            double limit = kFar * length(Vec3{sx * tanHalf * aspect, sy * tanHalf, 1});
            EXPECT_LT(hitDistance(triangles, origin, dir), limit)
                << "eye " << eye << " sway " << swayZ << "/" << swayY << " ray " << sx << "," << sy;
          }
      }
}

// Wherever the snowfield meets the dome, the dome's wall reaches below it,
// so no gap opens between the two.
TEST(Background, DomeWallReachesUnderTheFieldsRim) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> fon;
  ASSERT_TRUE(readModel(*archive, "fon", fon));
  ASSERT_EQ(fon[0].texture, "sky.png");
  ASSERT_EQ(fon[1].texture, "fonground.png");
  // Every ray from the centre through a rim point of the field meets the
  // dome (a wall triangle) lower than the field there.
  std::vector<Vec3> rims;
  for (const Vec3& p : fon[1].positions)
    if (std::hypot(p.x, p.y) > 184.9 && std::none_of(rims.begin(), rims.end(), [&](const Vec3& q) { return length(p - q) < 1e-6; }))
      rims.push_back(p);
  int checked = 0;
  for (const Vec3& rim : rims) {
    // A hair off the rim point's bearing, so the ray never runs along an edge.
    double a = std::atan2(rim.y, rim.x) + 1e-4;
    Vec3 dir{std::cos(a), std::sin(a), 0};
    double lowest = INFINITY;
    for (double z = rim.z - 0.01; z > -61; z -= 0.5) {
      if (hitDistance(fon[0].positions, {0, 0, z}, dir) < INFINITY) lowest = std::min(lowest, z);
    }
    EXPECT_LT(lowest, rim.z - 0.5) << rim.x << "," << rim.y;
    ++checked;
  }
  EXPECT_GT(checked, 40);
}
