// Where the saver's node placements meet the models: wheels on the rail
// top, plants on the ground, terrain pieces joining, smoke at the chimney.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/assets/archive_reading.h"
#include "landscape/planting_spots.h"
#include "landscape/terrain.h"
#include "tools/assets/terrain_height.h"
#include "train/locomotive_layout.h"

namespace {

using locomotive_layout::kChimneyTopX;
using locomotive_layout::kChimneyTopZ;

constexpr double kRailTop = -5.3;
// Where a terrain model begins along the track: the planting tables reach
// from here to one spacing further.
constexpr double kPieceStart = -155.0;

class MainArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { archive_ = loadBuiltArchive("main.pak").release(); }
  static void TearDownTestSuite() {
    delete archive_;
    archive_ = nullptr;
  }
  std::vector<ReadMesh> model(const std::string& entry) {
    std::vector<ReadMesh> meshes;
    EXPECT_TRUE(archive_ != nullptr && readModel(*archive_, entry, meshes)) << entry;
    return meshes;
  }
  static PakArchive* archive_;
};
PakArchive* MainArchive::archive_ = nullptr;

// Height of the first mesh's surface above (x, y), from the triangle that
// contains the point; NAN when none does.
double surfaceHeight(const ReadMesh& mesh, double x, double y) {
  for (size_t i = 0; i + 2 < mesh.positions.size(); i += 3) {
    const Vec3 &a = mesh.positions[i], &b = mesh.positions[i + 1], &c = mesh.positions[i + 2];
    double det = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
    if (std::fabs(det) < 1e-12) continue;
    double l1 = ((b.y - c.y) * (x - c.x) + (c.x - b.x) * (y - c.y)) / det;
    double l2 = ((c.y - a.y) * (x - c.x) + (a.x - c.x) * (y - c.y)) / det;
    double l3 = 1 - l1 - l2;
    if (l1 >= -1e-9 && l2 >= -1e-9 && l3 >= -1e-9) return l1 * a.z + l2 * b.z + l3 * c.z;
  }
  return NAN;
}

// The telegraph line of a terrain model: its mesh with the poles' atlas.
ReadMesh lineOf(const std::vector<ReadMesh>& piece) {
  for (const ReadMesh& m : piece)
    if (m.texture == "stolby.png") return m;
  ADD_FAILURE() << "no telegraph line";
  return ReadMesh();
}

}  // namespace

TEST_F(MainArchive, EveryWheelTouchesTheRailTopThroughAWholeTurn) {
  // Wheel centres as the builders place them (z of each wheel node).
  const std::pair<const char*, double> wheels[] = {{"kolesobig", -3.0}, {"kolesosmall", -3.8}, {"kolesosred", -3.5}};
  for (const auto& wheel : wheels) {
    std::vector<Vec3> points = allPositions(model(wheel.first));
    ASSERT_FALSE(points.empty());
    double lowest = 1e9, reach = 0;
    for (const Vec3& p : points) {
      lowest = std::min(lowest, p.z);
      reach = std::max(reach, std::hypot(p.x, p.z));  // distance from the axle (Y)
    }
    EXPECT_NEAR(wheel.second + lowest, kRailTop, 0.02) << wheel.first << " at rest";
    // Turning about Y brings the farthest point of the wheel to the bottom.
    EXPECT_NEAR(wheel.second - reach, kRailTop, 0.02) << wheel.first << " turned";
    // Between the tyre's vertices the chords pass inside the circle: at no
    // angle of a turn may the wheel lift off the rail by more than that.
    for (int step = 0; step < 90; ++step) {
      double angle = 4 * std::acos(0.0) * step / 90, lowestTurned = 1e9;
      for (const Vec3& p : points) lowestTurned = std::min(lowestTurned, p.z * std::cos(angle) - p.x * std::sin(angle));
      EXPECT_NEAR(wheel.second + lowestTurned, kRailTop, 0.02) << wheel.first << " turned by step " << step;
    }
  }
}

TEST_F(MainArchive, RailsCarryTheWheelsAtTheirGauge) {
  std::vector<Vec3> rails = allPositions(model("relsi"));
  std::vector<Vec3> wheel = allPositions(model("kolesobig"));
  double top = -1e9;
  for (const Vec3& p : rails) top = std::max(top, p.z);
  EXPECT_NEAR(top, kRailTop, 0.02);
  // The rail heads' tops lie under the wheel treads' lowest band.
  for (double side : {-1.0, 1.0}) {
    double railY = 0, count = 0;
    for (const Vec3& p : rails)
      if (p.z > kRailTop - 0.01 && p.y * side > 0) railY += p.y, ++count;
    ASSERT_GT(count, 0);
    railY /= count;
    double treadMin = 1e9, treadMax = -1e9;
    for (const Vec3& p : wheel)
      if (p.z < -2.25 && p.y * side > 0) treadMin = std::min(treadMin, p.y), treadMax = std::max(treadMax, p.y);
    EXPECT_GT(railY, treadMin) << side;
    EXPECT_LT(railY, treadMax) << side;
  }
}

TEST_F(MainArchive, EveryPlantingSpotLiesOnItsOwnPiece) {
  // Each terrain kind with the saver's own spot table for it; the plants
  // are its children, so each must stand on that piece's ground. A foot a
  // little under the snow reads naturally (trunks reach a unit below it);
  // one above it floats.
  const double kDeepestFoot = 0.5, kFloating = 0.02;
  const std::pair<const char*, PlantingSpotKind> pieces[] = {{"relef1", FirstReliefSpots}, {"relef2", SecondReliefSpots}};
  for (const auto& piece : pieces) {
    std::vector<ReadMesh> terrain = model(piece.first);
    ASSERT_FALSE(terrain.empty());
    for (const PlantingSpot& spot : plantingSpotTable(piece.second)) {
      double onMesh = surfaceHeight(terrain[0], spot.x, spot.y);
      ASSERT_FALSE(std::isnan(onMesh)) << piece.first << " has no ground at " << spot.x << "," << spot.y;
      EXPECT_LE(spot.z, onMesh + kFloating) << piece.first << " floats at " << spot.x << "," << spot.y;
      EXPECT_GE(spot.z, onMesh - kDeepestFoot) << piece.first << " sinks at " << spot.x << "," << spot.y;
    }
  }
}

TEST_F(MainArchive, PiecesJoinWithoutAStep) {
  // The pieces alternate, so each kind's end meets the other's start, 200
  // units on: along the whole edge, across the piece, their ground is one.
  const double kSameHeight = 0.05;
  for (const auto& pair : {std::make_pair("relef1", "relef2"), std::make_pair("relef2", "relef1")}) {
    const ReadMesh end = model(pair.first)[0], start = model(pair.second)[0];
    int checked = 0;
    for (double y = -109.75; y < 110; y += 0.5) {
      double a = surfaceHeight(end, kPieceStart + kTerrainSpacing, y), b = surfaceHeight(start, kPieceStart, y);
      ASSERT_FALSE(std::isnan(a) || std::isnan(b)) << pair.first << " y " << y;
      EXPECT_NEAR(a, b, kSameHeight) << pair.first << " ends, " << pair.second << " starts, y " << y;
      ++checked;
    }
    EXPECT_GT(checked, 400);
  }
  // The telegraph wires leave one piece where the next piece's take them on.
  for (const auto& pair : {std::make_pair("relef1", "relef2"), std::make_pair("relef2", "relef1")}) {
    // The wires' last rings: within a hair of the joint (a ring stands
    // across its sloping wire), each met by a ring of the next piece.
    std::vector<Vec3> leaving, arriving;
    for (const Vec3& p : lineOf(model(pair.first)).positions)
      if (std::fabs(p.x - (kPieceStart + kTerrainSpacing)) < 0.01) leaving.push_back(p);
    for (const Vec3& p : lineOf(model(pair.second)).positions)
      if (std::fabs(p.x - kPieceStart) < 0.01) arriving.push_back(p);
    ASSERT_GE(leaving.size(), 12u) << pair.first << ": no wires reach its end";
    for (const Vec3& p : leaving) {
      bool met = false;
      for (const Vec3& q : arriving)
        met = met || length(p - (q + Vec3{kTerrainSpacing, 0, 0})) < 1e-6;
      EXPECT_TRUE(met) << pair.first << " wire at y " << p.y << " z " << p.z;
    }
  }
  for (const char* entry : {"relef1", "relef2"}) {
    double low = 1e9, high = -1e9;
    const std::vector<ReadMesh> piece = model(entry);
    ASSERT_FALSE(piece.empty()) << entry;
    for (const Vec3& p : piece[0].positions) low = std::min(low, p.x), high = std::max(high, p.x);
    EXPECT_DOUBLE_EQ(low, kPieceStart);
    EXPECT_DOUBLE_EQ(high, kPieceStart + kTerrainSpacing);
  }
}

// Each pole's shaft reaches into its piece's ground, at most a little
// deeper than a post is set, never ending above it; the poles stand evenly
// along the line, and the spacing runs on across the joint to the next
// piece, 200 units on.
TEST_F(MainArchive, TelegraphPolesStandOnTheGroundInAnUnbrokenRhythm) {
  std::vector<double> firstKind;
  for (const char* entry : {"relef1", "relef2"}) {
    const std::vector<ReadMesh> piece = model(entry);
    ASSERT_FALSE(piece.empty()) << entry;
    // Vertices under the snow belong to the poles' feet; a pole that floats
    // has none, and goes missing from the count.
    std::vector<std::pair<double, double>> buried;  // x, depth under the ground
    for (const Vec3& p : lineOf(piece).positions) {
      double ground = surfaceHeight(piece[0], p.x, p.y);
      if (!std::isnan(ground) && p.z < ground - 0.05) buried.push_back({p.x, ground - p.z});
    }
    std::sort(buried.begin(), buried.end());
    std::vector<double> xs, depths;
    for (size_t i = 0; i < buried.size(); ++i) {
      if (i == 0 || buried[i].first - buried[i - 1].first > 5) xs.push_back(buried[i].first), depths.push_back(0);
      depths.back() = std::max(depths.back(), buried[i].second);
    }
    for (size_t i = 0; i < xs.size(); ++i) {
      EXPECT_LE(depths[i], 1.5) << entry << " pole at x " << xs[i] << " is sunk too deep";
      EXPECT_GE(depths[i], 0.5) << entry << " pole at x " << xs[i] << " barely reaches the ground";
    }
    ASSERT_GE(xs.size(), 4u) << entry;
    double spacing = (xs.back() - xs.front()) / double(xs.size() - 1);
    for (size_t i = 0; i + 1 < xs.size(); ++i) EXPECT_NEAR(xs[i + 1] - xs[i], spacing, 1.0) << entry;
    EXPECT_NEAR(xs.front() + kTerrainSpacing - xs.back(), spacing, 1.0) << entry << ": the rhythm breaks at the joint";
    if (firstKind.empty()) firstKind = xs;
    ASSERT_EQ(xs.size(), firstKind.size());
    for (size_t i = 0; i < xs.size(); ++i) EXPECT_NEAR(xs[i], firstKind[i], 1.0) << entry;
  }
}

TEST_F(MainArchive, ChimneyTopIsWhereTheSmokeStarts) {
  std::vector<Vec3> body = allPositions(model("parovoz"));
  double top = -1e9;
  for (const Vec3& p : body)
    if (std::fabs(p.x - kChimneyTopX) < 1.5 && std::fabs(p.y) < 1.5) top = std::max(top, p.z);
  EXPECT_NEAR(top, kChimneyTopZ, 1e-6);
  Vec3 centre{0, 0, 0};
  int count = 0;
  for (const Vec3& p : body)
    if (std::fabs(p.z - top) < 1e-9) centre = centre + p, ++count;
  ASSERT_GT(count, 0);
  EXPECT_NEAR(centre.x / count, kChimneyTopX, 0.01);
  EXPECT_NEAR(centre.y / count, 0.0, 0.01);
  for (const Vec3& p : body) EXPECT_LE(p.z, kChimneyTopZ + 1e-6);  // nothing of the body above the smoke's start
}

// The puff is drawn as a polygon round its visible texels, mapped as the
// whole square of its picture would be: flat, centred, about three units
// across, and no texel with any alpha (nor the half texel that linear
// filtering blends beyond it) left outside.
TEST_F(MainArchive, SmokePuffCoversEveryVisibleTexelOfItsSquare) {
  std::vector<ReadMesh> meshes = model("smouke");
  ASSERT_EQ(meshes.size(), 1u);
  const ReadMesh& puff = meshes[0];
  ASSERT_EQ(puff.positions.size() % 3, 0u);
  double minX = 1e9, maxX = -1e9;
  for (size_t i = 0; i < puff.positions.size(); ++i) {
    const Vec3& p = puff.positions[i];
    EXPECT_DOUBLE_EQ(p.z, 0.0);
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    // The square's mapping: 3.2 units across, texture row 0 at the top.
    EXPECT_NEAR(puff.texCoords[i].x, p.x / 3.2 + 0.5, 1e-6);
    EXPECT_NEAR(puff.texCoords[i].y, 0.5 - p.y / 3.2, 1e-6);
  }
  EXPECT_NEAR(maxX - minX, 3.0, 0.5);
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  ASSERT_TRUE(readImage(*archive_, puff.texture, width, height, pixels));
  auto covered = [&](double s, double t) {
    for (size_t i = 0; i + 2 < puff.texCoords.size(); i += 3) {
      const Vec2 &a = puff.texCoords[i], &b = puff.texCoords[i + 1], &c = puff.texCoords[i + 2];
      double d1 = (b.x - a.x) * (t - a.y) - (b.y - a.y) * (s - a.x);
      double d2 = (c.x - b.x) * (t - b.y) - (c.y - b.y) * (s - b.x);
      double d3 = (a.x - c.x) * (t - c.y) - (a.y - c.y) * (s - c.x);
      if ((d1 <= 0 && d2 <= 0 && d3 <= 0) || (d1 >= 0 && d2 >= 0 && d3 >= 0)) return true;
    }
    return false;
  };
  int visible = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (pixels[(size_t(y) * width + x) * 4 + 3] == 0) continue;
      ++visible;
      for (double cx : {x - 0.5, x + 1.5})
        for (double cy : {y - 0.5, y + 1.5})
          EXPECT_TRUE(covered(cx / width, cy / height)) << "texel " << x << ", " << y;
    }
  EXPECT_GT(visible, width * height / 4);
}

TEST_F(MainArchive, PlantsStandOnTheirFootAndReachPlausibleHeights) {
  const std::pair<const char*, double> plants[] = {{"elka", 12}, {"derevo", 8}, {"kust", 2}};
  for (const auto& plant : plants) {
    std::vector<Vec3> points = allPositions(model(plant.first));
    double low = 1e9, high = -1e9, reach = 0;
    for (const Vec3& p : points) low = std::min(low, p.z), high = std::max(high, p.z), reach = std::max(reach, std::hypot(p.x, p.y));
    EXPECT_LT(low, 0.0) << plant.first << " must reach into the ground";
    EXPECT_GT(low, -1.5) << plant.first;
    EXPECT_GT(high, plant.second) << plant.first;
    EXPECT_LT(high, 20.0) << plant.first;
    EXPECT_LT(reach, 12.0) << plant.first;
  }
}

TEST_F(MainArchive, TrackBedRisesAboveTheSnowAndUnderTheSleepers) {
  for (const char* entry : {"relef1", "relef2"}) {
    std::vector<ReadMesh> terrain = model(entry);
    ASSERT_EQ(terrain.size(), 3u) << entry;  // snow, ballast, then the telegraph line
    // Nowhere under the bed's flat top does the snow come up through it.
    for (const Vec3& p : terrain[0].positions) {
      if (std::fabs(p.y) <= kBallastHalfWidth - 1.5) {
        EXPECT_LT(p.z, ballastHeight(p.y) - 0.1) << entry << " at " << p.x << "," << p.y;
      }
    }
  }
  // Sleepers sit in the ballast with their tops showing.
  std::vector<Vec3> rails = allPositions(model("relsi"));
  double sleeperLow = 1e9;
  for (const Vec3& p : rails) sleeperLow = std::min(sleeperLow, p.z);
  EXPECT_LT(sleeperLow, ballastHeight(0));
  EXPECT_GT(kRailTop - 0.55, ballastHeight(0));
}

TEST_F(MainArchive, FoliageIsCutOutAndTrunksAreSolid) {
  for (const char* plant : {"elka", "derevo", "kust"}) {
    bool cutout = false, solid = false;
    for (const ReadMesh& m : model(plant)) (m.alphaTest ? cutout : solid) = true;
    EXPECT_TRUE(cutout) << plant;
    EXPECT_EQ(solid, std::string(plant) != "kust") << plant << ": trunks are solid, a bush is all twigs";
  }
}

TEST_F(MainArchive, SnowfieldStaysUnderThePiecesEdges) {
  // Where a piece ends (its ends and sides), the background's snowfield
  // lies just below it, so the edge reads as a low bank, never a wall.
  std::vector<Vec3> field;
  for (const ReadMesh& m : model("fon"))
    if (m.texture == "fonground.png") field.insert(field.end(), m.positions.begin(), m.positions.end());
  ASSERT_FALSE(field.empty());
  ReadMesh ground = model("relef1")[0];
  int checked = 0;
  for (const Vec3& f : field) {
    bool onEdge = std::fabs(f.x + 155) < 1e-6 || std::fabs(f.x - 45) < 1e-6 || std::fabs(std::fabs(f.y) - 110) < 1e-6;
    if (!onEdge || f.x < -155 - 1e-6 || f.x > 45 + 1e-6 || std::fabs(f.y) > 110 + 1e-6) continue;
    double top = surfaceHeight(ground, f.x, f.y);
    if (std::isnan(top)) continue;
    EXPECT_LT(f.z, top) << f.x << "," << f.y;
    EXPECT_GT(f.z, top - 1.5) << f.x << "," << f.y;
    ++checked;
  }
  EXPECT_GT(checked, 10);
}
