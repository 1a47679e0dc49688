#include "resources/model_format.h"

#include <gtest/gtest.h>

#include "tests/support/model_builder.h"

namespace {

// Reads every record the entry holds; returns how many fitted.
int countRecords(const std::vector<uint8_t>& entry, std::vector<MeshRecordView>* views = nullptr) {
  int32_t count = 0;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(entry.data(), static_cast<uint32_t>(entry.size()), count, cursor)) return -1;
  const uint8_t* end = entry.data() + entry.size();
  int read = 0;
  MeshRecordView view;
  while (read < count && readMeshRecord(cursor, end, view)) {
    if (views != nullptr) views->push_back(view);
    ++read;
  }
  return read;
}

}  // namespace

TEST(ModelFormat, HeaderByte255MovesTheMeshCountToOffsetFive) {
  TestMeshRecord mesh = quadRecord("snow", 0, 0, 1, 1, 0);
  for (int header : {0, 1, 254, 255}) {
    std::vector<uint8_t> entry = buildModel({mesh, mesh}, static_cast<uint8_t>(header));
    int32_t count = 0;
    const uint8_t* first = nullptr;
    ASSERT_TRUE(readModelHeader(entry.data(), static_cast<uint32_t>(entry.size()), count, first));
    EXPECT_EQ(count, 2) << header;
    EXPECT_EQ(first - entry.data(), header == 255 ? 9 : 5) << header;
    EXPECT_EQ(countRecords(entry), 2) << header;
  }
}

TEST(ModelFormat, RecordFieldsAndEmptyMeshes) {
  TestMeshRecord empty;
  empty.textureName = "bark";
  TestMeshRecord quad = quadRecord("a#Fire64x64", 0, 0, 1, 1, 0);
  quad.blended = true;
  std::vector<uint8_t> entry = buildModel({empty, quad});
  std::vector<MeshRecordView> views;
  ASSERT_EQ(countRecords(entry, &views), 2);

  // n = 0: the next record starts 149 + T bytes after this one.
  const uint8_t* firstRecord = entry.data() + 5;
  EXPECT_EQ(views[0].triangleCount, 0);
  EXPECT_EQ(views[0].textureNameText(), "bark");
  EXPECT_EQ(views[0].reserved - firstRecord, 4 + 5);
  EXPECT_EQ(views[0].material - firstRecord, 84 + 5);
  EXPECT_EQ(views[1].textureNameText(), "a#Fire64x64");
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(views[1].textureName) - 4 - firstRecord, 149 + 5);
  EXPECT_EQ(views[1].triangleCount, 2);
  EXPECT_EQ(views[1].material[modelformat::kBlendedFlag], 1);
  EXPECT_EQ(views[1].normals - views[1].positions, 2 * 72);
  EXPECT_EQ(views[1].texCoords - views[1].normals, 2 * 72);
}

TEST(ModelFormat, RecordsThatDoNotFitStopTheReading) {
  TestMeshRecord quad = quadRecord("t", 0, 0, 1, 1, 0);
  TestMeshRecord tooMany = quad;
  tooMany.claimedTriangles = 3;
  TestMeshRecord hugeCount = quad;
  hugeCount.claimedTriangles = INT32_MAX;
  TestMeshRecord fieldPastEnd = quad;
  fieldPastEnd.nameField = 1 << 30;
  fieldPastEnd.omitNameBytes = true;
  EXPECT_EQ(countRecords(buildModel({quad, tooMany})), 1);
  EXPECT_EQ(countRecords(buildModel({quad, hugeCount, quad})), 1);
  EXPECT_EQ(countRecords(buildModel({fieldPastEnd, quad})), 0);
  EXPECT_EQ(countRecords(buildModel({quad}, 0, 40)), 1);  // count larger than the records
  EXPECT_EQ(countRecords(buildModel({quad}, 0, 0)), 0);

  std::vector<uint8_t> negative = buildModel({quad});
  negative[1] = 0xFB, negative[2] = negative[3] = negative[4] = 0xFF;  // count -5
  EXPECT_EQ(countRecords(negative), 0);
}

TEST(ModelFormat, EveryTruncationReadsOnlyWholeRecords) {
  TestMeshRecord quad = quadRecord("tex", 0, 0, 1, 1, 0);
  TestMeshRecord empty;
  empty.textureName = "e";
  std::vector<uint8_t> whole = buildModel({quad, empty, quad}, 255);
  size_t firstEnd = 9 + buildMeshRecord(quad).size();
  size_t secondEnd = firstEnd + buildMeshRecord(empty).size();
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    // Copied into an exact-size buffer so that a read past the end is caught
    // by the address sanitizer or valgrind when they run.
    std::vector<uint8_t> truncated(whole.begin(), whole.begin() + static_cast<long>(cut));
    int expected = cut < 9 ? -1 : cut < firstEnd ? 0 : cut < secondEnd ? 1 : 2;
    EXPECT_EQ(countRecords(truncated), expected) << "cut at " << cut;
  }
}

TEST(ModelFormat, TextureNameIsBoundedByItsField) {
  TestMeshRecord unterminated = quadRecord("abcdef", 0, 0, 1, 1, 0);
  unterminated.nameField = 4;
  TestMeshRecord padded = quadRecord("ab", 0, 0, 1, 1, 0);
  padded.nameField = 16;
  TestMeshRecord noName = quadRecord("", 0, 0, 1, 1, 0);
  noName.nameField = 0;
  std::vector<uint8_t> entry = buildModel({unterminated, padded, noName});
  std::vector<MeshRecordView> views;
  ASSERT_EQ(countRecords(entry, &views), 3);
  EXPECT_EQ(views[0].textureNameText(), "abcd");
  EXPECT_EQ(views[1].textureNameText(), "ab");
  EXPECT_EQ(views[2].textureNameText(), "");
}

TEST(ModelFormat, ProceduralNamesHaveHashAsSecondCharacter) {
  EXPECT_TRUE(isProceduralTextureName("x#Plasma64x64,1,2,3"));
  EXPECT_TRUE(isProceduralTextureName("##"));
  EXPECT_FALSE(isProceduralTextureName("#Plasma64x64,1,2,3"));
  EXPECT_FALSE(isProceduralTextureName("#"));
  EXPECT_FALSE(isProceduralTextureName(""));
}
