#include "resources/pak_archive.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// One hand-written record: length byte, name, little-endian size, data.
void appendRecord(std::vector<uint8_t>& file, int8_t nameLength, const std::string& name,
                  uint32_t size, const std::string& data) {
  file.push_back(static_cast<uint8_t>(nameLength));
  file.insert(file.end(), name.begin(), name.end());
  for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(size >> shift));
  file.insert(file.end(), data.begin(), data.end());
}

std::vector<uint8_t> header(int32_t count) {
  std::vector<uint8_t> file;
  for (int shift = 0; shift < 32; shift += 8) {
    file.push_back(static_cast<uint8_t>(static_cast<uint32_t>(count) >> shift));
  }
  return file;
}

std::string entryText(const PakArchive& archive, const std::string& name) {
  auto entry = archive.findEntry(name);
  if (entry.first == nullptr) return "<missing>";
  return std::string(reinterpret_cast<const char*>(entry.first), entry.second);
}

}  // namespace

TEST(PakArchive, SaveThenLoadKeepsNamesSizesBytesAndOrder) {
  TempFolder folder;
  PakArchive authored;
  std::vector<uint8_t> binary = {0, 255, 1, 0, 128};
  ASSERT_TRUE(authored.addEntry("relsi", binary.data(), 5));
  ASSERT_TRUE(authored.addEntry("empty", nullptr, 0));
  std::string longName(PakArchive::kMaxNameLength, 'n');
  ASSERT_TRUE(authored.addEntry(longName, bytesOf("x").data(), 1));
  ASSERT_TRUE(authored.save(folder.file("a.pak")));

  auto loaded = PakArchive::tryLoad(folder.file("a.pak"));
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->entryCount(), 3u);
  EXPECT_EQ(loaded->entryName(0), "relsi");
  EXPECT_EQ(loaded->entryName(1), "empty");
  EXPECT_EQ(loaded->entryName(2), longName);
  EXPECT_EQ(std::vector<uint8_t>(loaded->entryData(0), loaded->entryData(0) + 5), binary);
  EXPECT_EQ(loaded->entrySize(1), 0u);
  EXPECT_EQ(loaded->entryTexture(0), 0u);
  EXPECT_EQ(loaded->entryTextureUses(0), 0);
}

// A loaded archive is the file's bytes as they were at load: whatever is
// done to the file afterwards, the way an installation replaces it (a new
// file renamed onto the name), a copy over it in place, cutting it short
// or removing it, leaves every entry as it was.
TEST(PakArchive, LoadedEntriesKeepTheirBytesWhateverHappensToTheFile) {
  TempFolder folder;
  std::vector<uint8_t> drift(3 * 4096, 'x');
  PakArchive first, second;
  ASSERT_TRUE(first.addEntry("drift", drift.data(), static_cast<uint32_t>(drift.size())));
  ASSERT_TRUE(second.addEntry("drift", std::vector<uint8_t>(drift.size(), 'y').data(),
                              static_cast<uint32_t>(drift.size())));
  const std::string path = folder.file("a.pak");
  struct Case {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"renamed onto", [&] { ASSERT_TRUE(second.save(path)); }},
      {"copied over in place", [&] { ASSERT_TRUE(writeBytes(path, second.fileBytes())); }},
      {"cut short in place", [&] { std::filesystem::resize_file(path, 4); }},
      {"removed", [&] { std::filesystem::remove(path); }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(first.save(path));
    auto loaded = PakArchive::tryLoad(path);
    ASSERT_NE(loaded, nullptr);
    c.change();
    auto entry = loaded->findEntry("drift");
    ASSERT_EQ(entry.second, drift.size()) << c.what;
    EXPECT_EQ(std::vector<uint8_t>(entry.first, entry.first + entry.second), drift) << c.what;
  }
}

TEST(PakArchive, LookupIsExactAndTakesTheFirstMatch) {
  PakArchive archive;
  archive.addEntry("clock", bytesOf("first").data(), 5);
  archive.addEntry("clock", bytesOf("second").data(), 6);
  archive.addEntry("gap", nullptr, 0);
  EXPECT_EQ(entryText(archive, "clock"), "first");
  EXPECT_EQ(entryText(archive, "Clock"), "<missing>");
  EXPECT_EQ(entryText(archive, "clock "), "<missing>");
  EXPECT_EQ(entryText(archive, "cloc"), "<missing>");

  // An empty entry is found: a non-null pointer with size 0.
  auto empty = archive.findEntry("gap");
  EXPECT_NE(empty.first, nullptr);
  EXPECT_EQ(empty.second, 0u);
  EXPECT_EQ(archive.findEntry("nothing"), std::make_pair(static_cast<const uint8_t*>(nullptr), 0u));
}

TEST(PakArchive, CountZeroOrNegativeLoadsNoEntries) {
  TempFolder folder;
  for (int32_t count : {0, -1, INT32_MIN}) {
    std::vector<uint8_t> file = header(count);
    appendRecord(file, 1, "a", 1, "z");  // present but not counted
    ASSERT_TRUE(writeBytes(folder.file("c.pak"), file));
    auto archive = PakArchive::tryLoad(folder.file("c.pak"));
    ASSERT_NE(archive, nullptr) << count;
    EXPECT_EQ(archive->entryCount(), 0u) << count;
    EXPECT_EQ(archive->findEntry("a").first, nullptr);
  }
}

TEST(PakArchive, DamagedRecordsKeepTheEntriesBeforeThem) {
  TempFolder folder;
  struct Case {
    const char* what;
    int8_t nameLength;
    uint32_t size;
    std::string data;
  } cases[] = {
      {"negative name length", -3, 1, "q"},
      {"size past the end", 1, 1000000, "q"},
      {"size near 4 GiB", 1, 0xFFFFFFFFu, "q"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = header(3);
    appendRecord(file, 2, "ok", 2, "hi");
    appendRecord(file, c.nameLength, "b", c.size, c.data);
    appendRecord(file, 5, "after", 1, "x");
    ASSERT_TRUE(writeBytes(folder.file("d.pak"), file));
    auto archive = PakArchive::tryLoad(folder.file("d.pak"));
    ASSERT_NE(archive, nullptr) << c.what;
    EXPECT_EQ(archive->entryCount(), 1u) << c.what;
    EXPECT_EQ(entryText(*archive, "ok"), "hi") << c.what;
    EXPECT_EQ(archive->findEntry("after").first, nullptr) << c.what;
  }
}

// A count is judged before any record is read: more entries than the file's
// bytes could hold (5 bytes each at the least) or than kMaxEntries make the
// archive damaged, whatever its records, instead of gigabytes of entries.
TEST(PakArchive, DeclaredCountBeyondTheBytesOrTheMaximumIsRefusedAsDamaged) {
  TempFolder folder;
  struct Case {
    int32_t count;
    int32_t emptyRecords;
    const char* why;  // empty: the archive loads with `count` entries
  } cases[] = {
      {PakArchive::kMaxEntries, PakArchive::kMaxEntries, ""},
      {PakArchive::kMaxEntries + 1, PakArchive::kMaxEntries + 1,
       "is damaged: it declares 65537 entries, more than the 65536 an archive may hold"},
      {4, 4, ""},
      {5, 4, "is damaged: it declares 5 entries, more than its 24 bytes can hold"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> file = header(c.count);
    for (int32_t i = 0; i < c.emptyRecords; ++i) appendRecord(file, 0, "", 0, "");
    ASSERT_TRUE(writeBytes(folder.file("n.pak"), file));
    std::string why;
    auto archive = PakArchive::tryLoad(folder.file("n.pak"), &why);
    EXPECT_EQ(why, c.why) << c.count;
    EXPECT_EQ(archive ? archive->entryCount() : 0u, *c.why ? 0u : static_cast<size_t>(c.count));
  }
}

TEST(PakArchive, EveryTruncationOrSingleByteCorruptionLoadsSafely) {
  TempFolder folder;
  PakArchive authored;
  authored.addEntry("one", bytesOf("alpha").data(), 5);
  authored.addEntry("", bytesOf("b").data(), 1);
  authored.addEntry("three", bytesOf("gamma!").data(), 6);
  ASSERT_TRUE(authored.save(folder.file("whole.pak")));
  std::vector<uint8_t> whole = readBytes(folder.file("whole.pak"));

  // Only a count the bytes cannot hold makes a file unreadable, as damaged.
  std::string why;
  auto loadedOrDamaged = [&](const std::string& path) {
    why.clear();
    auto archive = PakArchive::tryLoad(path, &why);
    EXPECT_TRUE(archive != nullptr || why.rfind("is damaged: it declares ", 0) == 0) << why;
    return archive;
  };
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    std::vector<uint8_t> truncated(whole.begin(), whole.begin() + static_cast<long>(cut));
    ASSERT_TRUE(writeBytes(folder.file("t.pak"), truncated));
    auto archive = loadedOrDamaged(folder.file("t.pak"));
    if (archive == nullptr) continue;
    EXPECT_LT(archive->entryCount(), 3u) << "cut at " << cut;
    for (size_t i = 0; i < archive->entryCount(); ++i) {
      EXPECT_EQ(archive->entryName(i), authored.entryName(i));
    }
  }
  for (size_t at = 0; at < whole.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}}) {
      std::vector<uint8_t> corrupt = whole;
      corrupt[at] = value;
      ASSERT_TRUE(writeBytes(folder.file("x.pak"), corrupt));
      auto archive = loadedOrDamaged(folder.file("x.pak"));
      if (archive == nullptr) continue;
      size_t total = 4;
      for (size_t i = 0; i < archive->entryCount(); ++i) {
        total += 5 + archive->entryName(i).size() + archive->entrySize(i);
      }
      EXPECT_LE(total, corrupt.size()) << "byte " << at << " = " << int(value);
    }
  }
}

// Nothing is added that would make an archive its readers refuse; the
// entry after the last one kMaxEntries allows is refused both ways.
TEST(PakArchive, AuthoringRefusesWhatCannotBeStoredOrWritten) {
  TempFolder folder;
  WorkingFolder here(folder.path());
  ASSERT_TRUE(writeBytes("snow.bin", bytesOf("flakes")));
  PakArchive archive;
  std::string tooLong(PakArchive::kMaxNameLength + 1, 'n');
  EXPECT_FALSE(archive.addEntry(tooLong, bytesOf("x").data(), 1));
  EXPECT_FALSE(archive.addFile("no-such-file"));
  EXPECT_EQ(archive.entryCount(), 0u);
  EXPECT_FALSE(archive.save(folder.file("no-such-folder/a.pak")));

  for (int32_t i = 0; i < PakArchive::kMaxEntries; ++i) {
    ASSERT_TRUE(archive.addEntry("", nullptr, 0));
  }
  EXPECT_FALSE(archive.addEntry("", nullptr, 0));
  std::string why;
  EXPECT_FALSE(archive.addFile("snow.bin", &why));
  EXPECT_EQ(why, "would make the archive hold more than 65536 entries");
  EXPECT_EQ(archive.entryCount(), static_cast<size_t>(PakArchive::kMaxEntries));
}

TEST(PakArchive, AddFileNamesTheEntryAfterThePathAndExtractWritesItBack) {
  TempFolder folder;
  WorkingFolder here(folder.path());
  ASSERT_TRUE(writeBytes("snow.bin", bytesOf("flakes")));
  PakArchive archive;
  ASSERT_TRUE(archive.addFile("snow.bin"));
  EXPECT_EQ(archive.entryName(0), "snow.bin");
  EXPECT_EQ(entryText(archive, "snow.bin"), "flakes");

  PakArchive relative;
  relative.addEntry("plain", bytesOf("p").data(), 1);
  relative.addEntry("empty", nullptr, 0);
  EXPECT_TRUE(relative.extractAll(folder.file("out-")).empty());
  EXPECT_EQ(readBytes(folder.file("out-plain")), bytesOf("p"));
  EXPECT_TRUE(readBytes(folder.file("out-empty")).empty());
}

// Where an entry goes is judged on the prefix and name joined: the prefix
// "." and the name "./bashrc" make "../bashrc". Such entries are named in
// the failures and written nowhere; the others are written all the same.
TEST(PakArchive, ExtractRefusesPathsThatLeaveThePrefixFolder) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("sub"));
  WorkingFolder inSub(folder.file("sub"));
  struct Case {
    std::string prefix, name;
    const char* why;  // empty: written to prefix + name inside sub
  } cases[] = {
      {"", "../escaped", "the name has a \"..\" part"},
      {"", folder.file("absolute"), "the name is an absolute path"},
      {".", "./bashrc", "the path leaves the folder"},
      {"x-", "a/../../up", "the name has a \"..\" part"},
      {"", std::string("..\0/up", 6), "the name holds a zero byte"},
      {".", "dotted", ""},
      {"./", "./kept", ""},
  };
  for (const Case& c : cases) {
    PakArchive archive;
    ASSERT_TRUE(archive.addEntry(c.name, bytesOf("e").data(), 1));
    auto failures = archive.extractAll(c.prefix);
    if (*c.why == 0) {
      EXPECT_TRUE(failures.empty()) << c.prefix << c.name;
      EXPECT_EQ(readBytes(folder.file("sub/" + c.prefix + c.name)), bytesOf("e"));
      continue;
    }
    ASSERT_EQ(failures.size(), 1u) << c.prefix << c.name;
    EXPECT_EQ(failures[0].name, c.name);
    EXPECT_EQ(failures[0].path, c.prefix + c.name);
    EXPECT_EQ(failures[0].why, c.why);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()), 1)
      << "an entry left the prefix's folder";

  PakArchive archive;
  ASSERT_TRUE(archive.addEntry("kept", bytesOf("k").data(), 1));
  auto failures = archive.extractAll(folder.file("missing-folder/"));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].why,
            "a folder on the way does not exist: " + folder.file("missing-folder"));
}

// Nothing that stands in the folder sends an entry elsewhere or holds the
// extraction up: a link or a hard link at an entry's path is replaced, not
// written through; a pipe is replaced, not written into (the test keeps it
// open for reading, so that a writer would not wait); a linked folder on
// the way is not entered.
TEST(PakArchive, ExtractNeverWritesThroughWhatStandsInTheFolder) {
  TempFolder folder;
  std::filesystem::create_directories(folder.file("out"));
  std::filesystem::create_directories(folder.file("outside"));
  ASSERT_TRUE(writeBytes(folder.file("outside/target"), bytesOf("secret")));
  ASSERT_EQ(symlink("../outside/target", folder.file("out/link").c_str()), 0);
  ASSERT_EQ(link(folder.file("outside/target").c_str(), folder.file("out/hard").c_str()), 0);
  ASSERT_EQ(mkfifo(folder.file("out/pipe").c_str(), 0644), 0);
  ASSERT_EQ(symlink("../outside", folder.file("out/sub").c_str()), 0);
  int reader = open(folder.file("out/pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);

  PakArchive archive;
  const std::vector<std::string> replaced = {"link", "hard", "pipe"};
  for (const std::string& name : replaced) {
    ASSERT_TRUE(archive.addEntry(name, bytesOf("entry").data(), 5));
  }
  archive.addEntry("sub/victim", bytesOf("entry").data(), 5);
  auto failures = archive.extractAll(folder.file("out/"));
  close(reader);

  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].name, "sub/victim");
  EXPECT_EQ(failures[0].why, "a folder on the way is a link: sub");
  EXPECT_EQ(readBytes(folder.file("outside/target")), bytesOf("secret"));
  EXPECT_FALSE(std::filesystem::exists(folder.file("outside/victim")));
  for (const std::string& name : replaced) {
    // Read only a regular file: a pipe left in place would block the read.
    const std::string path = folder.file("out/" + name);
    bool regular = std::filesystem::is_regular_file(std::filesystem::symlink_status(path));
    EXPECT_TRUE(regular) << name;
    if (regular) {
      EXPECT_EQ(readBytes(path), bytesOf("entry")) << name;
    }
  }
}

TEST(ArchivePath, DigitZeroMeansNoFolderAndOtherFoldersJoinAsIs) {
  EXPECT_EQ(archivePath("0", "main.pak"), "main.pak");
  EXPECT_EQ(archivePath("0ther\\", "main.pak"), "main.pak");
  EXPECT_EQ(archivePath("C:\\data", "main.pak"), "C:\\datamain.pak");
  EXPECT_EQ(archivePath("C:\\data\\", "main.pak"), "C:\\data\\main.pak");
  EXPECT_EQ(archivePath("", "main.pak"), "main.pak");
}

// Whatever stands at the path instead of a readable archive, it is refused
// with a line that names the archive, where it was looked for and why;
// nothing blocks (a FIFO) or asks for all of memory (a folder).
TEST(PakArchive, UnreadableArchiveIsRefusedWithALineNamingIt) {
  TempFolder folder;
  ASSERT_EQ(mkfifo(folder.file("fifo.pak").c_str(), 0644), 0);
  ASSERT_TRUE(std::filesystem::create_directory(folder.file("dir.pak")));
  ASSERT_TRUE(writeBytes(folder.file("huge.pak"), header(1)));
  std::filesystem::resize_file(folder.file("huge.pak"), PakArchive::kMaxFileBytes + 1);
  std::vector<uint8_t> overcounted = header(2);
  appendRecord(overcounted, 0, "", 0, "");
  ASSERT_TRUE(writeBytes(folder.file("count.pak"), overcounted));
  const struct {
    const char* file;
    const char* why;
  } cases[] = {
      {"main.pak", "does not exist"},
      {"fifo.pak", "is a pipe, not a file"},
      {"dir.pak", "is a folder, not a file"},
      {"huge.pak", "is larger than 256 MiB"},
      {"count.pak", "is damaged: it declares 2 entries, more than its 9 bytes can hold"},
  };
  for (const auto& c : cases) {
    std::string path = folder.file(c.file), why;
    EXPECT_EQ(PakArchive::tryLoad(path, &why), nullptr) << c.file;
    EXPECT_EQ(unreadableArchiveText(path, why),
              std::string("cannot read the archive ") + c.file + ": " + path + " " + c.why);
  }
}
