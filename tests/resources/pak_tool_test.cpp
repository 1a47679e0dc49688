#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(PakTool, CreateAddListAndExtractRoundTrip) {
  TempFolder folder;
  WorkingFolder here(folder.path());
  std::vector<uint8_t> model = buildModel(
      {quadRecord("bark", 0, 0, 1, 1, 0), TestMeshRecord(), quadRecord("x#Fire8x8", 0, 0, 1, 1, 0)},
      255);
  ASSERT_TRUE(writeBytes("tree", model));
  ASSERT_TRUE(writeBytes("notes", {'h', 'i'}));
  std::ostringstream out, err;
  ASSERT_EQ(createArchive("a.pak", {"tree"}, out, err), 0);
  ASSERT_EQ(addToArchive("a.pak", {"notes"}, out, err), 0);
  EXPECT_EQ(out.str(), "");
  // A name already there: its entry is replaced, and the tool says so.
  ASSERT_TRUE(writeBytes("notes", {'h', 'e', 'l', 'l', 'o'}));
  ASSERT_EQ(addToArchive("a.pak", {"notes"}, out, err), 0);
  EXPECT_EQ(out.str(), "replaced notes\n");
  out.str("");
  ASSERT_EQ(listArchive("a.pak", out, err), 0);
  EXPECT_EQ(out.str(), "tree\t" + std::to_string(model.size()) +
                           "\n"
                           "  model, 3 meshes\n"
                           "    mesh 0: 2 triangles, texture \"bark\"\n"
                           "    mesh 1: 0 triangles, texture \"\"\n"
                           "    mesh 2: 2 triangles, texture \"x#Fire8x8\"\n"
                           "notes\t5\n");
  EXPECT_EQ(err.str(), "");

  EXPECT_NE(listArchive("missing.pak", out, err), 0);
  EXPECT_NE(createArchive("b.pak", {"missing"}, out, err), 0);
  EXPECT_NE(addToArchive("missing.pak", {"notes"}, out, err), 0);
}

// create and add never write an archive that list or extract would refuse:
// such a file is named in one line, and no archive is written or changed.
TEST(PakTool, CreateAndAddWriteOnlyWhatTheReadersAccept) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("sub"));
  WorkingFolder inSub(folder.file("sub"));
  ASSERT_TRUE(writeBytes(folder.file("x"), {'x'}));
  ASSERT_TRUE(writeBytes("notes", {'h', 'i'}));
  // Alone within the size bound, but not beside "notes" (sparse, never read).
  ASSERT_TRUE(writeBytes("huge", {}));
  std::filesystem::resize_file("huge", PakArchive::kMaxFileBytes - 10);
  std::ostringstream out, err;
  ASSERT_EQ(createArchive("a.pak", {"notes"}, out, err), 0);
  const std::string before = bytesOf("a.pak");
  struct Case {
    std::vector<std::string> files;
    std::string line;
  } cases[] = {
      {{"../x"}, "cannot add ../x: it would make an entry whose name has a \"..\" part\n"},
      {{folder.file("x")},
       "cannot add " + folder.file("x") + ": it would make an entry whose name is an absolute path\n"},
      {{"notes", "huge"},
       "cannot add huge: it would make the archive larger than 256 MiB, more than can be read "
       "back\n"},
  };
  for (const Case& c : cases) {
    for (int adding = 0; adding < 2; ++adding) {
      std::ostringstream err;
      int status = adding ? addToArchive("a.pak", c.files, out, err)
                          : createArchive("b.pak", c.files, out, err);
      EXPECT_EQ(status, 1) << c.line;
      EXPECT_EQ(err.str(), c.line);
    }
    EXPECT_FALSE(std::filesystem::exists("b.pak")) << c.line;
    EXPECT_EQ(bytesOf("a.pak"), before) << c.line;
  }
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

// A folder, a pipe or a device where an archive or an added file should be
// is refused at once with one line saying so, like a missing file.
TEST(PakTool, AnythingButARegularFileIsRefusedWithOneLine) {
  TempFolder folder;
  WorkingFolder here(folder.path());
  ASSERT_EQ(mkfifo("pipe", 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", "zero"), 0);
  ASSERT_TRUE(writeBytes("a.pak", {0, 0, 0, 0}));
  for (const std::string odd : {".", "pipe", "zero"}) {
    std::ostringstream out, err;
    EXPECT_EQ(listArchive(odd, out, err), 1) << odd;
    EXPECT_EQ(extractArchive(odd, "x-", err), 1) << odd;
    EXPECT_EQ(addToArchive(odd, {"a.pak"}, out, err), 1) << odd;
    EXPECT_EQ(createArchive("b.pak", {odd}, out, err), 1) << odd;
    EXPECT_EQ(addToArchive("a.pak", {odd}, out, err), 1) << odd;
    std::string lines = err.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5) << lines;
    EXPECT_NE(lines.find("not a file"), std::string::npos) << lines;
  }
  EXPECT_EQ(bytesOf("a.pak"), std::string(4, '\0'));
}

// A write that fails part way (here: a file-size limit, as a full disk
// would) leaves the old archive whole, and no temporary file behind.
TEST(PakTool, FailedWriteLeavesTheOldArchiveWhole) {
  TempFolder folder;
  WorkingFolder here(folder.path());
  ASSERT_TRUE(writeBytes("small", std::vector<uint8_t>(1000, 'x')));
  ASSERT_TRUE(writeBytes("large", std::vector<uint8_t>(64 * 1024, 'y')));
  const std::string archive = folder.file("a.pak");
  std::ostringstream out, err;
  ASSERT_EQ(createArchive(archive, {"small"}, out, err), 0);
  const std::string before = bytesOf(archive);

  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit limited = saved;
  limited.rlim_cur = 16 * 1024;
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  int status = addToArchive(archive, {"large"}, out, err);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(status, 1);
  EXPECT_NE(err.str().find("cannot write " + archive), std::string::npos) << err.str();
  EXPECT_EQ(bytesOf(archive), before);
  EXPECT_EQ(listArchive(archive, out, err), 0);
  EXPECT_EQ(out.str(), "small\t1000\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()), 3)
      << "a temporary file was left behind";
}
