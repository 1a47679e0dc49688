#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/model_builder.h"
#include "pak_commands.h"
#include "resources/pak_archive.h"
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

// Names come from the archive's bytes: whatever they hold, each entry is
// one line and no byte reaches the terminal as a control code.
TEST(PakTool, ListPrintsNamesEscapedOneEntryALine) {
  TempFolder folder;
  std::vector<uint8_t> model = buildModel({quadRecord("bark\n\x07", 0, 0, 1, 1, 0)});
  PakArchive archive;
  const std::string hostile[] = {"two\nlines\x1b[31m", "back\\slash\ttab\r", "\xd1\x91\x7f"};
  for (const std::string& name : hostile) ASSERT_TRUE(archive.addEntry(name, nullptr, 0));
  ASSERT_TRUE(archive.addEntry("m", model.data(), static_cast<uint32_t>(model.size())));
  ASSERT_TRUE(archive.save(folder.file("h.pak")));
  std::ostringstream out, err;
  ASSERT_EQ(listArchive(folder.file("h.pak"), out, err), 0);
  EXPECT_EQ(out.str(), "two\\nlines\\x1b[31m\t0\n"
                       "back\\\\slash\\ttab\\r\t0\n"
                       "\\xd1\\x91\\x7f\t0\n"
                       "m\t" + std::to_string(model.size()) + "\n"
                       "  model, 1 mesh\n"
                       "    mesh 0: 2 triangles, texture \"bark\\n\\x07\"\n");
}

// Each entry extract could not write gets a line of its own naming it
// (escaped, as list prints it), where it was meant to go and why; the
// others are written.
TEST(PakTool, ExtractNamesEveryEntryItCouldNotWrite) {
  TempFolder folder;
  PakArchive archive;
  for (const char* name : {"../up", "kept", "no\nsuch/x"}) {
    ASSERT_TRUE(archive.addEntry(name, reinterpret_cast<const uint8_t*>("e"), 1));
  }
  ASSERT_TRUE(archive.save(folder.file("e.pak")));
  std::filesystem::create_directory(folder.file("out"));
  const std::string out = folder.file("out/");
  std::ostringstream err;
  EXPECT_EQ(extractArchive(folder.file("e.pak"), out, err), 1);
  EXPECT_EQ(err.str(), "cannot extract ../up to " + out + "../up: the name has a \"..\" part\n"
                       "cannot extract no\\nsuch/x to " + out + "no\\nsuch/x: "
                       "a folder on the way does not exist: no\\nsuch\n");
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.file("out/kept")));
}

namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

// A folder, a pipe or a device where an archive or an added file should be
// is refused at once with one line saying so, like a missing file.
TEST(PakTool, AnythingButARegularFileIsRefusedWithOneLine) {
  TempFolder folder;
  const std::string pipe = folder.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  ASSERT_TRUE(writeBytes(folder.file("a.pak"), {0, 0, 0, 0}));
  for (const std::string& odd : {folder.path(), pipe, std::string("/dev/zero")}) {
    std::ostringstream out, err;
    EXPECT_EQ(listArchive(odd, out, err), 1) << odd;
    EXPECT_EQ(extractArchive(odd, folder.file("x-"), err), 1) << odd;
    EXPECT_EQ(addToArchive(odd, {folder.file("a.pak")}, err), 1) << odd;
    EXPECT_EQ(createArchive(folder.file("b.pak"), {odd}, err), 1) << odd;
    EXPECT_EQ(addToArchive(folder.file("a.pak"), {odd}, err), 1) << odd;
    std::string lines = err.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5) << lines;
    EXPECT_NE(lines.find("not a file"), std::string::npos) << lines;
  }
  EXPECT_EQ(bytesOf(folder.file("a.pak")), std::string(4, '\0'));
}

// A write that fails part way (here: a file-size limit, as a full disk
// would) leaves the old archive whole, and no temporary file behind.
TEST(PakTool, FailedWriteLeavesTheOldArchiveWhole) {
  TempFolder folder;
  ASSERT_TRUE(writeBytes(folder.file("small"), std::vector<uint8_t>(1000, 'x')));
  ASSERT_TRUE(writeBytes(folder.file("large"), std::vector<uint8_t>(64 * 1024, 'y')));
  const std::string archive = folder.file("a.pak");
  std::ostringstream err;
  ASSERT_EQ(createArchive(archive, {folder.file("small")}, err), 0);
  const std::string before = bytesOf(archive);

  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 16 * 1024;
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  int status = addToArchive(archive, {folder.file("large")}, err);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(status, 1);
  EXPECT_NE(err.str().find("cannot write " + archive), std::string::npos) << err.str();
  EXPECT_EQ(bytesOf(archive), before);
  std::ostringstream out;
  EXPECT_EQ(listArchive(archive, out, err), 0);
  EXPECT_EQ(out.str(), folder.file("small") + "\t1000\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()), 3)
      << "a temporary file was left behind";
}
