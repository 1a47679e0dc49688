#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/display_mode_table.h"
#include "app/settings.h"
#include "app/settings_files.h"

namespace {

// Builds settings files byte by byte, little-endian.
class FileBytes {
 public:
  FileBytes& i32(int32_t v) {
    for (int i = 0; i < 4; ++i) bytes_ += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return *this;
  }
  FileBytes& u8(uint8_t v) {
    bytes_ += static_cast<char>(v);
    return *this;
  }
  FileBytes& text(const std::string& s) {
    i32(static_cast<int32_t>(s.size()));
    bytes_ += s;
    return *this;
  }
  std::string str() const { return bytes_; }

 private:
  std::string bytes_;
};

// A format-1 file: strings, mouse flag, reserved, display mode, 7 options.
FileBytes format1(const std::string& s1, const std::string& s2, int32_t displayMode,
                  const uint8_t options[7], uint8_t mouse = 0) {
  FileBytes f;
  f.i32(1).text(s1).text(s2).u8(mouse).i32(77).i32(displayMode);
  for (int i = 0; i < 7; ++i) f.u8(options[i]);
  return f;
}

Settings read(const std::string& bytes) {
  std::istringstream in(bytes);
  return Settings(in);
}

void expectDefaults(const Settings& s) {
  EXPECT_EQ(s.showFrameRate, 0);
  EXPECT_EQ(s.showClock, 1);
  EXPECT_EQ(s.analogClock, 0);
  EXPECT_EQ(s.clock24Hour, 0);
  EXPECT_EQ(s.largeClock, 1);
  EXPECT_EQ(s.showCalendar, 1);
  EXPECT_EQ(s.russianCalendar, 0);
  EXPECT_FALSE(s.exitOnMouseMove());
  EXPECT_EQ(s.displayMode, 0);
  EXPECT_EQ(s.displayWidth(), 0);
}

TEST(Settings, NoFileMeansDefaults) { expectDefaults(Settings()); }

TEST(Settings, Format1WithEmptyStringsIs28BytesWithOptionsAt21To27) {
  const uint8_t options[7] = {1, 0, 1, 1, 0, 0, 1};
  std::string bytes = format1("", "", 3, options, 2).str();
  ASSERT_EQ(bytes.size(), 28u);
  EXPECT_EQ(bytes[21], 1);
  EXPECT_EQ(bytes[27], 1);
  Settings s = read(bytes);
  EXPECT_EQ(s.showFrameRate, 1);
  EXPECT_EQ(s.showClock, 0);
  EXPECT_EQ(s.analogClock, 1);
  EXPECT_EQ(s.clock24Hour, 1);
  EXPECT_EQ(s.largeClock, 0);
  EXPECT_EQ(s.showCalendar, 0);
  EXPECT_EQ(s.russianCalendar, 1);
  EXPECT_TRUE(s.exitOnMouseMove());  // flag byte 2 counts as on
  EXPECT_EQ(s.reservedWord, 77u);
  EXPECT_EQ(s.displayWidth(), 1024);
  EXPECT_EQ(s.displayHeight(), 768);
  EXPECT_EQ(s.displayBitsPerPixel(), 32);
}

TEST(Settings, StringsAreKeptUpToTheirFirstZeroAndTrailingBytesIgnored) {
  const uint8_t options[7] = {0, 1, 0, 0, 1, 1, 0};
  std::string bytes = format1(std::string("ab\0cd", 5), "xyz", 9, options).str() + "junk";
  Settings s = read(bytes);
  EXPECT_EQ(s.opaqueField1, "ab");
  EXPECT_EQ(s.opaqueField2, "xyz");
  EXPECT_EQ(s.displayWidth(), 1600);
}

// Every marker but 1, either side of it included, means the older layout.
TEST(Settings, Format0KeepsOnlyItsStrings) {
  for (int32_t marker : {0, 2, -1}) {
    FileBytes f;
    f.i32(marker).u8(1).i32(5).i32(6);
    for (int i = 0; i < 5; ++i) f.u8(1);
    f.text("first").text("second");
    Settings s = read(f.str());
    expectDefaults(s);
    EXPECT_EQ(s.opaqueField1, "first") << marker;
    EXPECT_EQ(s.opaqueField2, "second") << marker;
  }
}

// Row 0 keeps the desktop's mode, rows 1 to 9 are set as they stand, and
// a row outside the table keeps the desktop too; only an all-zero triple
// is the desktop's.
TEST(Settings, DisplayModeRowsAtTheEndsOfTheTable) {
  const uint8_t options[7] = {0, 1, 0, 0, 1, 1, 0};
  const struct {
    int32_t row;
    int32_t width, height, bitsPerPixel;
  } cases[] = {{-1, 0, 0, 0},      {0, 0, 0, 0},       {1, 640, 480, 32},
               {8, 1400, 1050, 32}, {9, 1600, 1200, 32}, {10, 0, 0, 0}, {1 << 30, 0, 0, 0}};
  for (const auto& c : cases) {
    Settings s = read(format1("", "", c.row, options).str());
    EXPECT_EQ(s.displayWidth(), c.width) << c.row;
    EXPECT_EQ(s.displayHeight(), c.height) << c.row;
    EXPECT_EQ(s.displayBitsPerPixel(), c.bitsPerPixel) << c.row;
    EXPECT_EQ(keepsDesktopMode(s.displayWidth(), s.displayHeight(), s.displayBitsPerPixel()),
              c.width == 0)
        << c.row;
  }
  EXPECT_FALSE(keepsDesktopMode(0, 0, 32));
  EXPECT_FALSE(keepsDesktopMode(640, 0, 0));
  EXPECT_FALSE(keepsDesktopMode(0, 480, 0));
}

// Each layout is read at its full length and ignores what follows; any
// shorter file, a byte short included, gives the defaults and no strings.
TEST(Settings, LayoutsAreReadAtTheirFullLengthAndNotAByteShort) {
  const uint8_t options[7] = {1, 0, 1, 1, 0, 0, 1};
  FileBytes older;
  older.i32(0).u8(1).i32(5).i32(6);
  for (int i = 0; i < 5; ++i) older.u8(1);
  older.text("first").text("second");
  const struct {
    std::string whole;
    size_t length;  // as the layout gives it
    const char* firstString;
  } layouts[] = {{format1("", "", 3, options).str(), 28, ""},
                 {format1("abc", "de", 3, options).str(), 28 + 3 + 2, "abc"},
                 {older.str(), 18 + 4 + 5 + 4 + 6, "first"}};
  for (const auto& layout : layouts) {
    ASSERT_EQ(layout.whole.size(), layout.length);
    bool withOptions = layout.whole[0] == 1;
    for (size_t length = 0; length <= layout.length + 1; ++length) {
      std::string bytes = layout.whole.substr(0, length) +
                          std::string(length - std::min(length, layout.length), '\1');
      Settings s = read(bytes);
      bool whole = length >= layout.length;
      EXPECT_EQ(s.opaqueField1, whole ? layout.firstString : "") << layout.length << " as " << length;
      EXPECT_EQ(s.displayWidth(), whole && withOptions ? 1024 : 0) << layout.length << " as " << length;
      EXPECT_EQ(s.showFrameRate, whole && withOptions ? 1 : 0) << layout.length << " as " << length;
    }
  }
}

TEST(Settings, ImpossibleCountsGiveTheDefaults) {
  FileBytes negative;
  negative.i32(1).i32(-5);
  expectDefaults(read(negative.str() + std::string(40, '\1')));
  FileBytes huge;
  huge.i32(1).i32(0x7FFFFFFF);
  expectDefaults(read(huge.str() + std::string(40, '\1')));
}

TEST(Settings, PathEndsInTheFixedFileName) {
  std::string path = settingsFilePath();
  EXPECT_EQ(path.substr(path.size() - 23), "\\Quorvel_Halvenrode_cfg");
}

// Sets environment variables for one test and puts them back after it.
class ScopedEnvironment {
 public:
  void set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->had) setenv(it->name, it->value.c_str(), 1); else unsetenv(it->name);
    }
  }

 private:
  struct Saved { const char* name; bool had; std::string value; };
  std::vector<Saved> saved_;
};

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

TEST(SettingsFiles, TheUsersFileFirstThenTheMachineWideOneThenTheDefaults) {
  char pattern[] = "/tmp/halvenrode-settings-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  ScopedEnvironment environment;
  environment.set("XDG_CONFIG_HOME", root + "/home/config");
  environment.set("XDG_CONFIG_DIRS", root + "/etc:" + root + "/other");
  const std::string user = root + "/home/config/Quorvel_Halvenrode_cfg";
  const std::string machine = root + "/etc/Quorvel_Halvenrode_cfg";
  EXPECT_EQ(settingsFileFor(SettingsScope::User), user);
  EXPECT_EQ(settingsFileFor(SettingsScope::Machine), machine);

  std::string source = "unset";
  expectDefaults(readRunSettings(runSettingsFiles(), source));
  EXPECT_EQ(source, "");
  EXPECT_FALSE(exists(root + "/home") || exists(root + "/etc")) << "reading made a folder";

  const uint8_t machineOptions[7] = {1, 1, 0, 0, 1, 1, 0};
  const uint8_t userOptions[7] = {0, 1, 1, 0, 1, 0, 0};
  ASSERT_EQ(mkdir((root + "/etc").c_str(), 0700), 0);
  std::ofstream(machine, std::ios::binary) << format1("", "", 0, machineOptions).str();
  EXPECT_EQ(readRunSettings(runSettingsFiles(), source).showFrameRate, 1);
  EXPECT_EQ(source, machine);

  ASSERT_EQ(mkdir((root + "/home").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((root + "/home/config").c_str(), 0700), 0);
  std::ofstream(user, std::ios::binary) << format1("", "", 2, userOptions).str();
  Settings read = readRunSettings(runSettingsFiles(), source);
  EXPECT_EQ(source, user);
  EXPECT_EQ(read.showFrameRate, 0);  // the whole file is the user's, nothing mixed in
  EXPECT_EQ(read.analogClock, 1);
  EXPECT_EQ(read.displayMode, 2);
  std::filesystem::remove_all(root);
}

// Only absolute folders count, as the base directory rules say: an empty or
// relative entry gives way to the next one, else to the default.
TEST(SettingsFiles, EmptyAndRelativeFoldersAreSkipped) {
  const passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  const std::string account = std::string(entry->pw_dir) + "/.config/";
  const struct {
    const char* dirs;
    const char* home;
    const char* configHome;
    std::string machine, user;  // the folders of the two files
  } cases[] = {
      {"rel/dir:/abs/one:/abs/two", "/h", "relative", "/abs/one/", "/h/.config/"},
      {":/abs/one/", "/h", "", "/abs/one/", "/h/.config/"},
      {"rel:", "home/rel", "/c//", "/etc/xdg/", "/c/"},
      {"", "", "", "/etc/xdg/", account},
      {"/abs", "rel", "rel", "/abs/", account},
  };
  const std::string name = "Quorvel_Halvenrode_cfg";
  for (const auto& c : cases) {
    ScopedEnvironment environment;
    environment.set("XDG_CONFIG_DIRS", c.dirs);
    environment.set("HOME", c.home);
    environment.set("XDG_CONFIG_HOME", c.configHome);
    EXPECT_EQ(settingsFileFor(SettingsScope::Machine), c.machine + name) << c.dirs;
    EXPECT_EQ(settingsFileFor(SettingsScope::User), c.user + name) << c.home << " " << c.configHome;
  }
}

}  // namespace
