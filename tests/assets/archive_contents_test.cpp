// The built archives hold every entry the saver asks for, every model entry
// reads back completely, and every texture a mesh names can be found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "tests/assets/archive_reading.h"
#include "tools/assets/archive_content.h"

namespace {

bool isImageEntry(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
}

// Width and height from a PNG's header; false when it is not a PNG.
bool pngSize(const uint8_t* data, uint32_t size, uint32_t& width, uint32_t& height) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (size < 24 || std::memcmp(data, signature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
  width = uint32_t(data[16]) << 24 | uint32_t(data[17]) << 16 | uint32_t(data[18]) << 8 | data[19];
  height = uint32_t(data[20]) << 24 | uint32_t(data[21]) << 16 | uint32_t(data[22]) << 8 | data[23];
  return true;
}

bool powerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

}  // namespace

TEST(BuiltArchives, HoldEveryRequiredEntryOnce) {
  for (const std::string& file : archiveFiles()) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive) << file;
    for (const std::string& name : requiredEntries(file)) {
      int copies = 0;
      for (size_t i = 0; i < archive->entryCount(); ++i) copies += archive->entryName(i) == name;
      EXPECT_EQ(copies, 1) << file << ":" << name;
    }
  }
}

TEST(BuiltArchives, ModelsReadCompletelyAndNameTexturesTheyHold) {
  bool anyFire = false;
  for (const std::string& file : archiveFiles()) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive) << file;
    for (size_t i = 0; i < archive->entryCount(); ++i) {
      const std::string& name = archive->entryName(i);
      if (isImageEntry(name)) continue;
      std::vector<ReadMesh> meshes;
      ASSERT_TRUE(readModel(*archive, name, meshes)) << file << ":" << name;
      EXPECT_FALSE(meshes.empty()) << file << ":" << name;
      for (const ReadMesh& mesh : meshes) {
        EXPECT_FALSE(mesh.positions.empty()) << name;
        if (mesh.texture.size() > 1 && mesh.texture[1] == '#') {
          anyFire = anyFire || mesh.texture.find("Fire") == 2;
          continue;
        }
        EXPECT_NE(archive->findEntry(mesh.texture).first, nullptr) << name << " names " << mesh.texture;
      }
    }
  }
  EXPECT_TRUE(anyFire) << "no mesh shows the computed flame";
}

TEST(BuiltArchives, ImagesArePowerOfTwoPngs) {
  for (const std::string& file : archiveFiles()) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive) << file;
    for (size_t i = 0; i < archive->entryCount(); ++i) {
      if (!isImageEntry(archive->entryName(i))) continue;
      uint32_t w = 0, h = 0;
      ASSERT_TRUE(pngSize(archive->entryData(i), archive->entrySize(i), w, h)) << archive->entryName(i);
      EXPECT_TRUE(powerOfTwo(w) && powerOfTwo(h)) << archive->entryName(i) << " " << w << "x" << h;
      EXPECT_LE(std::max(w, h), 2048u) << archive->entryName(i);
    }
  }
}

TEST(BuiltArchives, ImagesFitTheTextureMemoryTheyHadBefore) {
  // Every image becomes an RGBA texture of its own size once the scene has
  // drawn it. Better artwork has to fit in the memory the artwork of
  // 2026-12 took: 26,054,656 bytes. Images that only the options' models
  // name are drawn only with those options on, and have 3 MiB of their own.
  const uint64_t budget = 26054656, optionBudget = 3 << 20;
  uint64_t bytes = 0, optionBytes = 0;
  for (const std::string& file : archiveFiles()) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive) << file;
    std::set<std::string> optional, always;
    std::vector<std::string> options = optionEntries(file);
    for (const std::string& name : requiredEntries(file)) {
      bool isOption = std::find(options.begin(), options.end(), name) != options.end();
      std::vector<ReadMesh> meshes;
      ASSERT_TRUE(readModel(*archive, name, meshes)) << name;
      for (const ReadMesh& m : meshes) (isOption ? optional : always).insert(m.texture);
    }
    for (size_t i = 0; i < archive->entryCount(); ++i) {
      const std::string name = archive->entryName(i);
      uint32_t w = 0, h = 0;
      if (!isImageEntry(name) || !pngSize(archive->entryData(i), archive->entrySize(i), w, h)) continue;
      bool onlyOptional = optional.count(name) != 0 && always.count(name) == 0;
      (onlyOptional ? optionBytes : bytes) += 4ull * w * h;
    }
  }
  EXPECT_LE(bytes, budget);
  EXPECT_GT(bytes, budget / 2) << "images are missing";
  EXPECT_LE(optionBytes, optionBudget);
  EXPECT_GT(optionBytes, 0u) << "the options' images are counted with the scene's";
}

TEST(BuiltArchives, OverlayAndTerrainMaterialsFitTheirDrawing) {
  // Overlay pieces carry alpha-blended edges; terrain and rails are unlit
  // and opaque (they are drawn before everything that stands on them).
  for (const std::string& file : {std::string("clock.pak"), std::string("calendar.pak"), std::string("utils.pak")}) {
    std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
    ASSERT_TRUE(archive);
    for (const std::string& name : requiredEntries(file)) {
      std::vector<ReadMesh> meshes;
      ASSERT_TRUE(readModel(*archive, name, meshes));
      for (const ReadMesh& m : meshes) EXPECT_TRUE(m.blended) << file << ":" << name;
    }
  }
  std::unique_ptr<PakArchive> main = loadBuiltArchive("main.pak");
  ASSERT_TRUE(main);
  for (const char* name : {"relef1", "relef2", "relsi"}) {
    std::vector<ReadMesh> meshes;
    ASSERT_TRUE(readModel(*main, name, meshes));
    for (const ReadMesh& m : meshes) EXPECT_FALSE(m.blended || m.alphaTest) << name;
  }
  std::vector<ReadMesh> smoke;
  ASSERT_TRUE(readModel(*main, "smouke", smoke));
  ASSERT_EQ(smoke.size(), 1u);
  EXPECT_TRUE(smoke[0].blended);
}

TEST(Generator, OutputIsTheSameOnEveryRun) {
  for (auto build : {buildUtilsArchive, buildClockArchive, buildCalendarArchive, buildMainArchive}) {
    ArchiveContent first = build(), second = build();
    ASSERT_EQ(first.entries.size(), second.entries.size());
    for (size_t i = 0; i < first.entries.size(); ++i) {
      EXPECT_EQ(first.entries[i].name, second.entries[i].name);
      EXPECT_TRUE(first.entries[i].bytes == second.entries[i].bytes) << first.entries[i].name;
    }
  }
}
