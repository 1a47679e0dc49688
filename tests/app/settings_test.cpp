#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

TEST(Settings, Format0KeepsOnlyItsStrings) {
  FileBytes f;
  f.i32(0).u8(1).i32(5).i32(6);
  for (int i = 0; i < 5; ++i) f.u8(1);
  f.text("first").text("second");
  Settings s = read(f.str());
  expectDefaults(s);
  EXPECT_EQ(s.opaqueField1, "first");
  EXPECT_EQ(s.opaqueField2, "second");
}

TEST(Settings, DisplayModeOutsideTheTableFallsBackToTheDesktop) {
  const uint8_t options[7] = {0, 1, 0, 0, 1, 1, 0};
  for (int32_t mode : {-1, 10, 1 << 30}) {
    Settings s = read(format1("", "", mode, options).str());
    EXPECT_EQ(s.displayWidth(), 0) << mode;
    EXPECT_EQ(s.displayHeight(), 0) << mode;
    EXPECT_EQ(s.displayBitsPerPixel(), 0) << mode;
  }
}

TEST(Settings, DamagedFilesGiveTheDefaults) {
  const uint8_t options[7] = {1, 0, 1, 1, 0, 0, 1};
  std::string good = format1("abc", "de", 3, options).str();
  for (size_t length = 0; length < good.size(); ++length) {
    expectDefaults(read(good.substr(0, length)));
  }
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
  expectDefaults(readRunSettings(source));
  EXPECT_EQ(source, "");
  EXPECT_FALSE(exists(root + "/home") || exists(root + "/etc")) << "reading made a folder";

  const uint8_t machineOptions[7] = {1, 1, 0, 0, 1, 1, 0};
  const uint8_t userOptions[7] = {0, 1, 1, 0, 1, 0, 0};
  ASSERT_EQ(mkdir((root + "/etc").c_str(), 0700), 0);
  std::ofstream(machine, std::ios::binary) << format1("", "", 0, machineOptions).str();
  EXPECT_EQ(readRunSettings(source).showFrameRate, 1);
  EXPECT_EQ(source, machine);

  ASSERT_EQ(mkdir((root + "/home").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((root + "/home/config").c_str(), 0700), 0);
  std::ofstream(user, std::ios::binary) << format1("", "", 2, userOptions).str();
  Settings read = readRunSettings(source);
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
