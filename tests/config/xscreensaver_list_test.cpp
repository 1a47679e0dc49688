// Putting the saver into the screen-saver daemon's list of programs: the
// text edit, and the file it is made on.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "scratch_folder.h"
#include "settings_bytes.h"
#include "tools/config/xscreensaver_file.h"
#include "tools/config/xscreensaver_list.h"

namespace {

// The entry as the daemon's own settings dialog writes it when it saves a
// list that holds the saver.
const std::string kEntry = "  GL: \t\t\t\thalvenrode --root\t\t\t    \\n";

struct ListCase {
  const char* what;
  std::string before;
  ListChange change;
  std::string after;  // when Added
};

TEST(XScreenSaverListTest, AddsAtTheEndOfTheListTheDaemonReadsAndKeepsEveryOtherByte) {
  const std::string daemonList =
      "programs:\t\t\\\n\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
      "-\t\t\t\tpyro --root\t\t\t\t    \\n\\\n";
  const ListCase cases[] = {
      {"as the daemon writes it, a blank line ends the list",
       "# comment\nmode:\t\trandom\n\n" + daemonList + "\n\npointerHysteresis:  10\n",
       ListChange::Added,
       "# comment\nmode:\t\trandom\n\n" + daemonList + kEntry + "\\\n\n\npointerHysteresis:  10\n"},
      {"as the app-defaults write it, the last entry ends the list",
       "*programs:\t\\\n\t\t\t\tmaze --root\t\\n\\\n  GL: \t\t\t\tcage --root\t\\n\n! after\n",
       ListChange::Added,
       "*programs:\t\\\n\t\t\t\tmaze --root\t\\n\\\n  GL: \t\t\t\tcage --root\t\\n\\\n" + kEntry +
           "\n! after\n"},
      {"one line, its entry without a separator", "programs: maze --root\n", ListChange::Added,
       "programs: maze --root\\n\\\n" + kEntry + "\n"},
      {"no newline at the end", "programs:\tmaze --root \\n", ListChange::Added,
       "programs:\tmaze --root \\n\\\n" + kEntry},
      {"an empty list", "programs:\n", ListChange::Added, "programs:\\\n" + kEntry + "\n"},
      {"an entry over two lines without a separator before the blank line",
       "programs:\\\n  maze --root \\\n    --solve\\\n\n", ListChange::Added,
       "programs:\\\n  maze --root \\\n    --solve\\n\\\n" + kEntry + "\\\n\n"},
      {"the name only in a comment and an argument",
       "# halvenrode --root\nprograms: \"Snow\" xsnow --text halvenrode \\n\n", ListChange::Added,
       "# halvenrode --root\nprograms: \"Snow\" xsnow --text halvenrode \\n\\\n" + kEntry + "\n"},
      {"the later of two lists counts",
       "programs: halvenrode --root\\n\nprograms: maze --root\\n\n", ListChange::Added,
       "programs: halvenrode --root\\n\nprograms: maze --root\\n\\\n" + kEntry + "\n"},
      {"listed, with options", "programs:\t\\\n  GL: \thalvenrode --root --fps\t\\n\\\n\n",
       ListChange::AlreadyListed, ""},
      {"listed, disabled, named and under a folder",
       "programs: maze\\n -\tGL: \"Winter\" /usr/libexec/xscreensaver/halvenrode --root \\n\n",
       ListChange::AlreadyListed, ""},
      {"no list", "mode: one\n! programs: maze --root\n", ListChange::Unusable, ""},
      {"cut short in a continuation", "programs:\t\\\n  maze --root \\n\\\n",
       ListChange::Unusable, ""},
      {"not text", std::string("programs: maze\0\n", 16), ListChange::Unusable, ""},
  };
  for (const ListCase& c : cases) {
    ListEdit edit = addSaverToUserFile(c.before);
    ASSERT_EQ(edit.change, c.change) << c.what;
    if (c.change == ListChange::Unusable) { EXPECT_FALSE(edit.problem.empty()) << c.what; }
    if (c.change != ListChange::Added) continue;
    EXPECT_EQ(edit.text, c.after) << c.what;
    EXPECT_EQ(addSaverToUserFile(edit.text).change, ListChange::AlreadyListed) << c.what;
  }
}

// A new file holds what the daemon writes itself: its defaults for the
// whole program, with its whole default list and the saver added, after
// comments; the defaults of single hacks and dialog parts stay out.
TEST(XScreenSaverListTest, FreshFileIsTheDaemonsDefaultsWithTheSaver) {
  const std::string list =
      "\t\t\\\n\t\t\t\tmaze --root\t\\n\\\n  GL: \t\t\t\tcage --root\t\\n";
  const std::string appDefaults = "! about\n*mode:\t\t\trandom\n*programs:" + list +
                                  "\n\n*hacks.maze.name: Maze\n*Dialog.font: sans\n*textURL: x\n";
  ListEdit edit = freshUserFile(appDefaults, "/etc/defaults");
  ASSERT_EQ(edit.change, ListChange::Added);
  size_t start = edit.text.find("mode:");
  ASSERT_NE(start, std::string::npos);
  EXPECT_EQ(edit.text.substr(start), "mode:\t\t\trandom\nprograms:" + list + "\\\n" + kEntry +
                                         "\ntextURL: x\n");
  for (size_t line = 0; line < start; line = edit.text.find('\n', line) + 1) {
    EXPECT_TRUE(edit.text[line] == '#' || edit.text[line] == '\n') << edit.text.substr(line);
  }

  EXPECT_EQ(freshUserFile("*programs: halvenrode --root\n", "/d").change,
            ListChange::AlreadyListed);
  ListEdit none = freshUserFile("*mode: random\n", "/etc/defaults");
  EXPECT_EQ(none.change, ListChange::Unusable);
  EXPECT_NE(none.problem.find("/etc/defaults"), std::string::npos);
}

class XScreenSaverFileTest : public ::testing::Test {
 protected:
  XScreenSaverFiles filesIn(const std::string& home) {
    return XScreenSaverFiles{home + ".xscreensaver", {folder.file("none"), appDefaults}};
  }
  size_t entriesIn(const std::string& path) {
    DIR* dir = opendir(path.c_str());
    size_t count = 0;
    while (dir != nullptr && readdir(dir) != nullptr) ++count;
    if (dir != nullptr) closedir(dir);
    return count - 2;
  }
  ScratchFolder folder;
  std::string appDefaults = folder.file("XScreenSaver");
};

// A file kept elsewhere and linked from the home folder is edited where it
// is, keeps its permissions, and the link stays a link.
TEST_F(XScreenSaverFileTest, EditGoesThroughALinkAndKeepsThePermissions) {
  ASSERT_EQ(mkdir(folder.file("home").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(folder.file("dotfiles").c_str(), 0755), 0);
  const std::string target = folder.file("dotfiles/xscreensaver");
  ASSERT_TRUE(putFileBytes(target, "mode: one\nprograms: maze --root \\n\n"));
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  ASSERT_EQ(symlink("../dotfiles/xscreensaver", folder.file("home/.xscreensaver").c_str()), 0);

  XScreenSaverAddition added = addSaverToXScreenSaver(filesIn(folder.file("home/")));
  EXPECT_EQ(added.change, ListChange::Added) << added.message;
  EXPECT_EQ(fileBytes(target), "mode: one\nprograms: maze --root \\n\\\n" + kEntry + "\n");
  struct stat info;
  ASSERT_EQ(lstat(folder.file("home/.xscreensaver").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(entriesIn(folder.file("dotfiles")), 1u) << "a temporary file was left";

  XScreenSaverAddition again = addSaverToXScreenSaver(filesIn(folder.file("home/")));
  EXPECT_EQ(again.change, ListChange::AlreadyListed) << again.message;
}

TEST_F(XScreenSaverFileTest, UserWithoutAFileGetsTheDaemonsDefaultList) {
  ASSERT_TRUE(putFileBytes(appDefaults, "*mode: random\n*programs: maze --root\\n\n"));
  XScreenSaverAddition added = addSaverToXScreenSaver(filesIn(folder.path()));
  EXPECT_EQ(added.change, ListChange::Added) << added.message;
  EXPECT_EQ(addSaverToUserFile(fileBytes(folder.file(".xscreensaver"))).change,
            ListChange::AlreadyListed);
  EXPECT_NE(fileBytes(folder.file(".xscreensaver")).find("maze --root"), std::string::npos);
}

// Every refusal says why in one line naming the file, and writes nothing.
TEST_F(XScreenSaverFileTest, RefusalsWriteNothing) {
  const std::string user = folder.file(".xscreensaver");
  struct Refusal {
    const char* what;
    std::string userFile;  // "" for none
    std::string link;      // where the user's file links to, when it is a link
    bool appDefaults;
  };
  const Refusal refusals[] = {
      {"no list in the user's file", "mode: one\n", "", true},
      {"a link to nothing", "", folder.file("gone/xscreensaver"), true},
      {"no file and no app-defaults", "", "", false},
  };
  for (const Refusal& r : refusals) {
    unlink(user.c_str());
    unlink(appDefaults.c_str());
    if (!r.userFile.empty()) { ASSERT_TRUE(putFileBytes(user, r.userFile)); }
    if (!r.link.empty()) { ASSERT_EQ(symlink(r.link.c_str(), user.c_str()), 0); }
    if (r.appDefaults) { ASSERT_TRUE(putFileBytes(appDefaults, "*programs: maze\\n\n")); }
    size_t entries = entriesIn(folder.path());
    XScreenSaverAddition refused = addSaverToXScreenSaver(filesIn(folder.path()));
    EXPECT_EQ(refused.change, ListChange::Unusable) << r.what;
    EXPECT_EQ(std::count(refused.message.begin(), refused.message.end(), '\n'), 0) << r.what;
    EXPECT_NE(refused.message.find(r.appDefaults ? user : appDefaults), std::string::npos)
        << r.what << ": " << refused.message;
    EXPECT_EQ(entriesIn(folder.path()), entries) << r.what;
    if (!r.userFile.empty()) { EXPECT_EQ(fileBytes(user), r.userFile) << r.what; }
  }
  if (geteuid() == 0) {
    // Root editing a file of someone else's home would leave it root's own.
    ASSERT_TRUE(putFileBytes(user, "programs: maze\\n\n"));
    ASSERT_EQ(chown(user.c_str(), 65534, 65534), 0);
    EXPECT_EQ(addSaverToXScreenSaver(filesIn(folder.path())).change, ListChange::Unusable);
    EXPECT_EQ(fileBytes(user), "programs: maze\\n\n");
  }
}

}  // namespace
