// Writing archives: complete archives round-trip through the reader,
// incomplete ones and unwritable places are refused without a crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "resources/pak_archive.h"
#include "tools/assets/archive_writer.h"

TEST(ArchiveWriter, WritesWhatTheReaderGivesBack) {
  ArchiveContent content = buildArchive("utils.pak");
  std::string error;
  // A folder of its own: another build's suite may write the same name.
  char pattern[] = "/tmp/halvenrode-writer-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::string folder = pattern;
  ASSERT_TRUE(writeArchive(content, folder, "utils.pak", error)) << error;
  std::unique_ptr<PakArchive> back = PakArchive::tryLoad(folder + "/utils.pak");
  ASSERT_TRUE(back);
  ASSERT_EQ(back->entryCount(), content.entries.size());
  for (size_t i = 0; i < content.entries.size(); ++i) {
    EXPECT_EQ(back->entryName(i), content.entries[i].name);
    ASSERT_EQ(back->entrySize(i), content.entries[i].bytes.size());
    EXPECT_EQ(0, std::memcmp(back->entryData(i), content.entries[i].bytes.data(), back->entrySize(i)));
  }
  std::remove((folder + "/utils.pak").c_str());
  rmdir(folder.c_str());
}

TEST(ArchiveWriter, RefusesAnArchiveMissingAnEntryTheSaverLoads) {
  ArchiveContent content = buildArchive("clock.pak");
  content.entries.erase(content.entries.begin());  // the dial
  std::string error;
  EXPECT_FALSE(writeArchive(content, ::testing::TempDir(), "clock.pak", error));
  EXPECT_NE(error.find("ciferblat"), std::string::npos) << error;
}

TEST(ArchiveWriter, ReportsUnwritableFoldersAndOverlongNames) {
  std::string error;
  EXPECT_FALSE(writeArchive(buildArchive("utils.pak"), "/nonexistent-folder/deeper", "utils.pak", error));
  EXPECT_FALSE(error.empty());
  ArchiveContent content = buildArchive("utils.pak");
  content.entries.push_back({std::string(200, 'x'), {1, 2, 3}});
  error.clear();
  EXPECT_FALSE(writeArchive(content, ::testing::TempDir(), "utils.pak", error));
  EXPECT_FALSE(error.empty());
  // An archive name the generator does not know builds nothing.
  EXPECT_TRUE(buildArchive("other.pak").entries.empty());
}
