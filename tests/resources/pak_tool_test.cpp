#include <gtest/gtest.h>

#include <sstream>

#include "model_builder.h"
#include "pak_commands.h"
#include "temp_folder.h"

TEST(PakTool, CreateAddListAndExtractRoundTrip) {
  TempFolder folder;
  std::vector<uint8_t> model = buildModel(
      {quadRecord("bark", 0, 0, 1, 1, 0), TestMeshRecord(), quadRecord("x#Fire8x8", 0, 0, 1, 1, 0)},
      255);
  ASSERT_TRUE(writeBytes(folder.file("tree"), model));
  ASSERT_TRUE(writeBytes(folder.file("notes"), {'h', 'i'}));
  std::ostringstream out, err;
  const std::string archive = folder.file("a.pak");
  ASSERT_EQ(createArchive(archive, {folder.file("tree")}, err), 0);
  ASSERT_EQ(addToArchive(archive, {folder.file("notes")}, err), 0);
  ASSERT_EQ(listArchive(archive, out, err), 0);
  EXPECT_EQ(out.str(), folder.file("tree") + "\t" + std::to_string(model.size()) +
                           "\n"
                           "  model, 3 meshes\n"
                           "    mesh 0: 2 triangles, texture \"bark\"\n"
                           "    mesh 1: 0 triangles, texture \"\"\n"
                           "    mesh 2: 2 triangles, texture \"x#Fire8x8\"\n" +
                           folder.file("notes") + "\t2\n");
  EXPECT_EQ(err.str(), "");

  EXPECT_NE(listArchive(folder.file("missing.pak"), out, err), 0);
  EXPECT_NE(createArchive(folder.file("b.pak"), {folder.file("missing")}, err), 0);
  EXPECT_NE(addToArchive(folder.file("missing.pak"), {folder.file("notes")}, err), 0);
}
