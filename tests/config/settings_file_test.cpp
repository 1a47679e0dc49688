// The configuration program's file handling in process: the layout it
// writes, what the saver's reader makes of it, the strings it must keep and
// the old file it must not damage.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/display_mode_table.h"
#include "app/options/option_assignments.h"
#include "app/options/option_table.h"
#include "app/options/option_values.h"
#include "app/settings_format.h"
#include "scratch_folder.h"
#include "settings_bytes.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_writer.h"

namespace {

const std::string kFileName = "Quorvel_Halvenrode_cfg";

std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  return names;
}

// The options of the settings file alike (a flag by whether it is set),
// and every other field byte for byte.
void expectSameSettings(const Settings& a, const Settings& b) {
  for (const Option& option : optionTable()) {
    if (option.field.store != OptionStore::SettingsFile) continue;
    int first = option.field.readSettings(a), second = option.field.readSettings(b);
    if (option.values == OptionValues::OnOff) first = first != 0, second = second != 0;
    EXPECT_EQ(first, second) << option.name;
  }
  EXPECT_EQ(a.reservedWord, b.reservedWord);
  EXPECT_EQ(a.opaqueField1, b.opaqueField1);
  EXPECT_EQ(a.opaqueField2, b.opaqueField2);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string path() const { return folder.file(kFileName); }
  // The settings of a file that must read (a missing one gives defaults).
  static Settings loadedFrom(const std::string& file) {
    Settings settings;
    std::string problem;
    EXPECT_TRUE(loadSettingsFile(file, settings, problem)) << problem;
    return settings;
  }
  ScratchFolder folder;
};

TEST_F(SettingsFileTest, WrittenBytesFollowTheLayoutWithOptions) {
  Settings s;
  s.opaqueField1 = "ab";
  s.opaqueField2 = "xyz";
  s.exitOnMouseMoveFlag = 1;
  s.reservedWord = 0x01020304;
  s.displayMode = 7;
  s.showFrameRate = 1, s.showClock = 0, s.analogClock = 1, s.clock24Hour = 0;
  s.largeClock = 0, s.showCalendar = 1, s.russianCalendar = 1;
  std::string expected = SettingsBytes()
                             .i32(1).counted("ab").counted("xyz").u8(1).i32(0x01020304).i32(7)
                             .u8(1).u8(0).u8(1).u8(0).u8(0).u8(1).u8(1)
                             .bytes();
  EXPECT_EQ(encodeSettings(s), expected);
  EXPECT_EQ(encodeSettings(Settings()).size(), 28u) << "both strings empty";
}

TEST_F(SettingsFileTest, EveryOptionAndDisplayModeRoundTripsThroughTheSaverReader) {
  std::string problem;
  for (const Option& option : optionTable()) {
    if (option.field.store != OptionStore::SettingsFile) continue;
    for (const OptionValue& value : valuesOf(option)) {
      Settings written;
      option.field.writeSettings(written, value.value);
      ASSERT_TRUE(writeSettingsFile(path(), written, problem)) << problem;
      expectSameSettings(readAsSaver(path()), written);
    }
  }
  for (int row = 0; row < kDisplayModeCount; ++row) {
    Settings written;
    written.displayMode = row;
    written.reservedWord = 0xFEEDBEEF;
    written.opaqueField1 = "first";
    written.opaqueField2 = std::string(300, 's');
    ASSERT_TRUE(writeSettingsFile(path(), written, problem)) << problem;
    Settings read = readAsSaver(path());
    expectSameSettings(read, written);
    EXPECT_EQ(read.displayWidth(), DisplayModeTable[row].width);
    EXPECT_EQ(read.displayBitsPerPixel(), DisplayModeTable[row].bitsPerPixel);
  }
  EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{kFileName})
      << "a temporary file was left behind";
}

// The saver stops its copy of a string at the first zero byte; the program
// must still write back every stored byte.
TEST_F(SettingsFileTest, StoredStringsAreKeptByteForByte) {
  const std::string first("ke\0y\xff", 5), second("\0\0tail", 6);
  ASSERT_TRUE(putFileBytes(path(), SettingsBytes().i32(1).counted(first).counted(second).u8(2)
                                       .i32(9).i32(4).u8(0).u8(1).u8(0).u8(1).u8(1).u8(0).u8(0)
                                       .bytes()));
  Settings loaded = loadedFrom(path());
  EXPECT_EQ(loaded.opaqueField1, first);
  EXPECT_EQ(loaded.opaqueField2, second);
  EXPECT_EQ(loaded.exitOnMouseMoveFlag, 2) << "a non-zero flag byte stays as stored";
  std::string problem;
  ASSERT_TRUE(writeSettingsFile(path(), loaded, problem)) << problem;
  Settings again = loadedFrom(path());
  expectSameSettings(again, loaded);
  EXPECT_EQ(again.displayMode, 4);
}

TEST_F(SettingsFileTest, OlderLayoutKeepsItsStringsAndTakesTheDefaults) {
  ASSERT_TRUE(putFileBytes(path(), SettingsBytes().i32(0).u8(1).i32(5).i32(6).u8(0).u8(0).u8(0)
                                       .u8(0).u8(0).counted(std::string("old\0one", 7)).counted("two").bytes()));
  Settings loaded = loadedFrom(path());
  expectSameSettings(loaded, [] {
    Settings defaults;
    defaults.opaqueField1 = std::string("old\0one", 7);
    defaults.opaqueField2 = "two";
    return defaults;
  }());
}

TEST_F(SettingsFileTest, DamagedFilesGiveTheDefaultsWithoutTheirStrings) {
  const std::vector<std::string> damaged = {
      "",
      SettingsBytes().i32(1).counted("kept?").counted("no").u8(0).bytes(),  // options cut off
      SettingsBytes().i32(1).i32(-3).bytes(),                                // negative count
      SettingsBytes().i32(1).i32(1 << 30).bytes(),                           // count past the end
      SettingsBytes().i32(7).u8(1).bytes(),                                  // older layout, short
  };
  for (const std::string& bytes : damaged) {
    ASSERT_TRUE(putFileBytes(path(), bytes));
    expectSameSettings(loadedFrom(path()), Settings());
  }
  // A row outside the table is the desktop's row 0; the table's own rows
  // stand, the last one too.
  for (int32_t row : {-1, 0, 1, 9, 10, 42}) {
    ASSERT_TRUE(putFileBytes(path(), SettingsBytes().i32(1).counted("").counted("").u8(0).i32(0)
                                         .i32(row).u8(0).u8(1).u8(0).u8(0).u8(1).u8(1).u8(0).bytes()));
    EXPECT_EQ(loadedFrom(path()).displayMode, row >= 0 && row <= 9 ? row : 0) << row;
  }
  expectSameSettings(loadedFrom(folder.file("missing")), Settings());
}

// A file that is there but cannot be read is an error, never the defaults
// that a write would then put in its place.
TEST_F(SettingsFileTest, PresentButUnreadableFileIsAnErrorNamingIt) {
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  const std::string huge = folder.file("huge");
  ASSERT_TRUE(putFileBytes(huge, ""));
  ASSERT_EQ(truncate(huge.c_str(), 64 << 20), 0);  // sparse: no disk used
  for (const std::string& file : {folder.path(), fifo, huge}) {
    Settings settings;
    std::string problem;
    EXPECT_FALSE(loadSettingsFile(file, settings, problem)) << file;
    EXPECT_EQ(problem.rfind(file, 0), 0u) << problem;
  }
}

TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  const std::string old = encodeSettings(Settings());
  std::string problem;
  // A folder standing where the file should be cannot be replaced.
  ASSERT_EQ(mkdir(path().c_str(), 0755), 0);
  EXPECT_FALSE(writeSettingsFile(path(), Settings(), problem));
  EXPECT_NE(problem.find(path()), std::string::npos) << problem;
  EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{kFileName});

  problem.clear();
  std::string inMissingFolder = folder.file("no-such-folder/" + kFileName);
  EXPECT_FALSE(writeSettingsFile(inMissingFolder, Settings(), problem));
  EXPECT_NE(problem.find(inMissingFolder), std::string::npos) << problem;
  EXPECT_EQ(problem.find('\n'), std::string::npos) << "one line";
}

TEST(OptionTableTest, AssignmentsAreCheckedAndShowRoundTrips) {
  Settings s;
  ExtraSettings extras;
  std::string problem;
  for (const char* bad : {"clock", "clock=", "clock=2", "clock= on", "nothing=on", "snow =light",
                          "display-mode=-1", "display-mode=1024x769", "display-mode=10", "=on",
                          "snow=Heavy", "overlays=left", "time-of-day=dusk"}) {
    Settings before = s;
    EXPECT_EQ(applyAssignment(bad, s, extras, problem), nullptr) << bad;
    EXPECT_FALSE(problem.empty()) << bad;
    expectSameSettings(s, before);
    EXPECT_EQ(encodeExtraSettings(extras), encodeExtraSettings(ExtraSettings())) << bad;
  }
  ASSERT_NE(applyAssignment("display-mode=1280x800", s, extras, problem), nullptr);
  EXPECT_EQ(s.displayMode, 5);
  ASSERT_NE(applyAssignment("display-mode=2", s, extras, problem), nullptr);
  EXPECT_EQ(s.displayMode, 2) << "a row number";
  ASSERT_NE(applyAssignment("analog-clock=yes", s, extras, problem), nullptr);
  ASSERT_NE(applyAssignment("calendar=false", s, extras, problem), nullptr);
  // The text file's values are read as that file reads them.
  ASSERT_NE(applyAssignment("snow= steady\t", s, extras, problem), nullptr) << problem;
  ASSERT_NE(applyAssignment("overlays=primary-monitor", s, extras, problem), nullptr);

  // Every line --show prints can be given back to --set unchanged.
  Settings copy;
  ExtraSettings extrasCopy;
  std::string shown = describeOptions(s, extras);
  for (size_t start = 0, end; (end = shown.find('\n', start)) != std::string::npos; start = end + 1) {
    ASSERT_NE(applyAssignment(shown.substr(start, end - start), copy, extrasCopy, problem), nullptr)
        << problem;
  }
  expectSameSettings(copy, s);
  EXPECT_EQ(encodeExtraSettings(extrasCopy), encodeExtraSettings(extras));
  EXPECT_EQ(extrasCopy.snowfall, Snowfall::Steady);
}

}  // namespace
