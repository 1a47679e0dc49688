// The options kept in the text file beside the settings file: how its lines
// are read, where it is looked for, and that the command line wins over it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/extra_settings.h"
#include "app/saver_command.h"
#include "app/settings_files.h"

namespace {

struct TextCase {
  const char* text;
  bool timeOfDay;
  Snowfall snowfall;
};

TEST(ExtraSettingsText, GoodLinesCountAndEverythingElseIsSkipped) {
  const std::vector<TextCase> cases = {
      {"", false, Snowfall::None},
      {"time-of-day = on\nsnow = heavy\n", true, Snowfall::Heavy},
      {"  time-of-day=yes\r\n\tsnow=light  # a comment\r\n", true, Snowfall::Light},
      {"# time-of-day = on\nsnow = steady", false, Snowfall::Steady},
      {"snow = heavy\nsnow = light\n", false, Snowfall::Light},  // the later line wins
      {"snow = lots\ntime-of-day = maybe\n", false, Snowfall::None},
      {"Snow = heavy\ncolour = blue\n= on\njust words\n\n", false, Snowfall::None},
      {"time-of-day = on\nsnow = heavy\ntime-of-day = 0\n", false, Snowfall::Heavy},
      {"\x01\x02\xff\nsnow = steady\n", false, Snowfall::Steady},
      // An editor's byte-order mark is no part of the first line.
      {"\xef\xbb\xbftime-of-day = on\nsnow = light\n", true, Snowfall::Light},
  };
  for (const TextCase& c : cases) {
    ExtraSettings extras;
    applyExtraSettingsText(c.text, extras);
    EXPECT_EQ(extras.timeOfDay, c.timeOfDay) << c.text;
    EXPECT_EQ(extras.snowfall, c.snowfall) << c.text;
  }
  // A line too long to be a setting of ours is skipped whole.
  ExtraSettings extras;
  applyExtraSettingsText("snow = heavy" + std::string(300, ' ') + "\n", extras);
  EXPECT_EQ(extras.snowfall, Snowfall::None);
}

TEST(ExtraSettingsText, WrittenTextReadsBackAndEveryValueRoundTrips) {
  for (bool timeOfDay : {false, true}) {
    for (Snowfall snowfall :
         {Snowfall::None, Snowfall::Light, Snowfall::Steady, Snowfall::Heavy}) {
      OverlayMonitors overlays = timeOfDay ? OverlayMonitors::Primary : OverlayMonitors::Every;
      ExtraSettings written{timeOfDay, snowfall, overlays};
      ExtraSettings read{!timeOfDay, Snowfall::Heavy,
                         timeOfDay ? OverlayMonitors::Every : OverlayMonitors::Primary};
      applyExtraSettingsText(encodeExtraSettings(written), read);
      EXPECT_EQ(read.timeOfDay, timeOfDay);
      EXPECT_EQ(read.snowfall, snowfall) << snowfallName(snowfall);
      EXPECT_EQ(read.overlayMonitors, overlays) << overlayMonitorsName(overlays);
    }
  }
}

class ExtraSettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/halvenrode-extras-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
      const char* old = std::getenv(name);
      saved.push_back({name, old != nullptr, old != nullptr ? old : ""});
    }
    setenv("XDG_CONFIG_HOME", (root + "/user").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (root + "/machine").c_str(), 1);
  }
  void TearDown() override {
    for (const Saved& s : saved) {
      if (s.had) setenv(s.name, s.value.c_str(), 1); else unsetenv(s.name);
    }
    std::filesystem::remove_all(root);
  }
  // The options file the saver looks for in one of the scratch folders.
  std::string fileIn(const std::string& folder) const {
    return root + "/" + folder + "/" + kExtraSettingsFileName;
  }
  void write(const std::string& folder, const std::string& text) {
    mkdir((root + "/" + folder).c_str(), 0700);
    std::ofstream(fileIn(folder)) << text;
  }
  // The run's options: the files as the saver reads them, then `words`.
  ExtraSettings run(const std::vector<std::string>& words, std::string& source) {
    ExtraSettings extras = readRunExtraSettings(source);
    SaverCommand command = readSaverCommand(words);
    EXPECT_EQ(command.request, SaverRequest::Run) << command.problem;
    command.overrides.applyTo(extras);
    return extras;
  }

  struct Saved {
    const char* name;
    bool had;
    std::string value;
  };
  std::vector<Saved> saved;
  std::string root;
};

TEST_F(ExtraSettingsFiles, CommandLineOverTheUsersFileOverTheMachinesOverTheDefaults) {
  std::string source = "unset";
  ExtraSettings extras = run({}, source);
  EXPECT_FALSE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::None);
  EXPECT_EQ(source, "");
  EXPECT_NE(access((root + "/user").c_str(), F_OK), 0) << "reading made a folder";

  write("machine", "time-of-day = on\nsnow = light\n");
  extras = run({}, source);
  EXPECT_TRUE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::Light);
  EXPECT_EQ(source, fileIn("machine"));

  // The user's file is read whole instead, nothing mixed in.
  write("user", "snow = steady\n");
  extras = run({}, source);
  EXPECT_FALSE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::Steady);
  EXPECT_EQ(source, fileIn("user"));

  extras = run({"--time-of-day", "--snow=heavy", "--fps", "--overlays", "primary-monitor"}, source);
  EXPECT_TRUE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::Heavy);
  EXPECT_EQ(extras.overlayMonitors, OverlayMonitors::Primary);
  extras = run({"--time-of-day", "--snow", "none", "--no-time-of-day"}, source);
  EXPECT_FALSE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::None);
}

TEST_F(ExtraSettingsFiles, AnythingButASmallRegularFileCountsAsNoFile) {
  const std::string path = fileIn("user");
  write("user", "time-of-day = on\n");
  ExtraSettings extras;
  ASSERT_EQ(readExtraSettingsFile(path, extras), FileRead::Done);
  EXPECT_TRUE(extras.timeOfDay);

  // Too large to be ours, a folder, a FIFO that nobody writes to: the
  // defaults, at once.
  write("user", "time-of-day = on\n" + std::string(70 * 1024, '#') + "\n");
  ExtraSettings untouched;
  EXPECT_EQ(readExtraSettingsFile(path, untouched), FileRead::TooLarge);
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_EQ(readExtraSettingsFile(path, untouched), FileRead::NotAFile);
  ASSERT_EQ(rmdir(path.c_str()), 0);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(readExtraSettingsFile(path, untouched), FileRead::NotAFile);
  EXPECT_FALSE(untouched.timeOfDay);
  std::string source;
  EXPECT_FALSE(readRunExtraSettings(source).timeOfDay);
  EXPECT_EQ(source, "");
}

}  // namespace
