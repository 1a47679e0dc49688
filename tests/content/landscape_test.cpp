#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "landscape/planting_spots.h"
#include "landscape/terrain.h"
#include "landscape/vegetation.h"
#include "scene/random.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"

namespace {

// A landscape node carrying the spawner and the first-piece builder in the
// order the scene uses (spawner first), with the names as assembled.
class LandscapeTest : public ContentTest {
 protected:
  void SetUp() override {
    ContentTest::SetUp();
    resetLandscapeState({{"relef1"},
                         {"elka", "elka", "elka", "elka", "elka", "derevo", "derevo", "derevo", "kust"}});
    landscape = new SceneNode();
    landscape->cues.newCue();
    NodeEvent spawner, first;
    spawner.init(1, true, 0.0);
    spawner.setCallback(terrainSpawner, 0);
    first.init(1, true, -1.0);
    first.setCallback(buildFirstTerrainPiece, 0);
    landscape->cues.addEvent(spawner);
    landscape->cues.addEvent(first);
    landscape->cues.fire(0);
  }
  void TearDown() override {
    delete landscape;
    ContentTest::TearDown();
  }

  // Checks one piece: rails first, then 10 to 15 plants on distinct spots of
  // the piece's own table.
  static void expectDressedPiece(const SceneNode* piece, int32_t spotKind) {
    ASSERT_GE(piece->children.size(), 11u);
    ASSERT_LE(piece->children.size(), 16u);
    EXPECT_EQ(loadedEntry(piece->children[0]), "relsi");
    const std::vector<PlantingSpot>& table = plantingSpotTable(spotKind);
    std::set<std::pair<double, double>> taken;
    for (size_t i = 1; i < piece->children.size(); ++i) {
      const Transform& at = piece->children[i]->transform;
      bool onTable = false;
      for (const PlantingSpot& spot : table) {
        onTable = onTable || (spot.x == at.x && spot.y == at.y && spot.z == at.z);
      }
      EXPECT_TRUE(onTable) << "plant " << i << " at " << at.x << ", " << at.y;
      EXPECT_TRUE(taken.insert({at.x, at.y}).second) << "two plants on one spot";
      EXPECT_GE(at.sz, 0.8);
      EXPECT_LE(at.sz, 1.29 + 1e-12);
    }
  }

  SceneNode* landscape = nullptr;
};

TEST_F(LandscapeTest, FirstFrameMakesBothPiecesDressedAndPlaced) {
  drawAt(*landscape, 35);  // the first time step is 35 ms
  ASSERT_EQ(landscape->children.size(), 2u);
  const SceneNode* second = landscape->children[0];
  const SceneNode* first = landscape->children[1];
  EXPECT_EQ(loadedEntry(second), "relef2");
  EXPECT_EQ(loadedEntry(first), "relef1");
  EXPECT_DOUBLE_EQ(second->transform.x, 199.65);
  EXPECT_DOUBLE_EQ(first->transform.x, -0.35);
  expectDressedPiece(second, SecondReliefSpots);
  expectDressedPiece(first, FirstReliefSpots);
  // The plant counts vary from piece to piece over a few seeds.
  std::set<size_t> counts;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::srand(seed);
    SceneNode parent;
    makeTerrainPiece(&parent, 0, "relef1", FirstReliefSpots);
    drawAt(parent, 0);
    counts.insert(parent.children[0]->children.size() - 1);
  }
  EXPECT_GE(counts.size(), 3u);
}

TEST_F(LandscapeTest, PiecesFollowOneAnotherWithoutGaps) {
  uint32_t t = 35;
  for (; t <= 30000; t += 100) drawAt(*landscape, t);
  uint32_t last = t - 100;
  ASSERT_EQ(landscape->children.size(), 3u);  // made at 0, 0 and 20 s
  EXPECT_EQ(loadedEntry(landscape->children[2]), "relef1");
  // The row stays exactly 200 apart, wherever each piece was made.
  std::vector<double> row;
  for (const SceneNode* piece : landscape->children) {
    row.push_back(piece->transform.x + piece->timeline.delta.x);
  }
  std::sort(row.begin(), row.end());
  EXPECT_NEAR(row[1] - row[0], 200.0, 1e-6);
  EXPECT_NEAR(row[2] - row[1], 200.0, 1e-6);
  EXPECT_NEAR(landscape->children[1]->timeline.delta.x, -10 * static_cast<double>(last - 35) / 1000.0, 1e-9);
  for (; t <= 45000; t += 100) drawAt(*landscape, t);
  ASSERT_EQ(landscape->children.size(), 2u);  // made at 20 and 40 s
  EXPECT_EQ(loadedEntry(landscape->children[0]), "relef1");
  EXPECT_EQ(loadedEntry(landscape->children[1]), "relef2");
}

// A piece comes every 20 s after the first frame's two and lives 40 s: the
// frame at each interval's end, exactly, and the one after it.
TEST_F(LandscapeTest, PiecesComeEveryTwentySecondsAndGoAfterForty) {
  const std::pair<uint32_t, size_t> frames[] = {
      {35, 2},    {20000, 2}, {20001, 3}, {40000, 3},
      {40001, 4}, {40035, 4}, {40036, 2}};  // the first two, made at 35 ms, close
  for (const auto& frame : frames) {
    drawAt(*landscape, frame.first);
    size_t open = 0;
    for (const SceneNode* piece : landscape->children) open += piece->closeRequested ? 0 : 1;
    EXPECT_EQ(open, frame.second) << "at " << frame.first << " ms";
  }
}

TEST_F(LandscapeTest, ZeroRandomSourcePlantsFirsInTableOrder) {
  setRandomSource(alwaysZero);
  drawAt(*landscape, 20);
  const SceneNode* second = landscape->children[0];
  ASSERT_EQ(second->children.size(), 11u);  // rails and 10 plants
  const std::vector<PlantingSpot>& table = plantingSpotTable(SecondReliefSpots);
  for (size_t i = 1; i < second->children.size(); ++i) {
    const SceneNode* plant = second->children[i];
    EXPECT_EQ(loadedEntry(plant), "elka");
    EXPECT_EQ(plant->transform.x, table[i - 1].x);
    EXPECT_EQ(plant->transform.y, table[i - 1].y);
    EXPECT_EQ(plant->transform.sz, 0.8);
    EXPECT_EQ(plant->transform.sx, 1.0);
  }
  EXPECT_EQ(freePlantingSpots(SecondReliefSpots), 24u - 10u);
  // A fresh piece of the same kind starts again from the whole table.
  SceneNode parent;
  makeTerrainPiece(&parent, 0, "relef2", SecondReliefSpots);
  drawAt(parent, 20);
  EXPECT_EQ(parent.children[0]->children[1]->transform.x, table[0].x);
}

TEST_F(LandscapeTest, SpotTablesHoldTheirSpotsOnBothSidesOfTheLine) {
  for (int32_t kind : {FirstReliefSpots, SecondReliefSpots}) {
    const std::vector<PlantingSpot>& table = plantingSpotTable(kind);
    EXPECT_EQ(table.size(), kind == FirstReliefSpots ? 25u : 24u);
    bool left = false, right = false;
    for (const PlantingSpot& spot : table) {
      EXPECT_GE(std::abs(spot.y), 22.5);
      left = left || spot.y < 0;
      right = right || spot.y > 0;
    }
    EXPECT_TRUE(left && right);
  }
  EXPECT_EQ(plantingSpotTable(FirstReliefSpots)[22].y, 30.39);
  EXPECT_EQ(plantingSpotTable(SecondReliefSpots)[23].z, -7.67);
}

TEST_F(LandscapeTest, EmptyNameListsGiveEmptyModelsInsteadOfFailing) {
  resetLandscapeState({});
  drawAt(*landscape, 50);
  drawAt(*landscape, 20050);  // the second spawned piece draws its model from the list
  ASSERT_EQ(landscape->children.size(), 3u);
  EXPECT_TRUE(landscape->children[2]->meshes.empty());
  EXPECT_TRUE(landscape->children[2]->children[1]->meshes.empty());
}

}  // namespace
