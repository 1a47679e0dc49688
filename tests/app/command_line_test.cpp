#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/saver_command.h"
#include "app/settings.h"

namespace {

using Words = std::vector<std::string>;
using Flag = uint8_t Settings::*;

const std::vector<Flag> kFlags = {
    &Settings::showFrameRate, &Settings::showClock,       &Settings::analogClock,
    &Settings::clock24Hour,   &Settings::largeClock,      &Settings::showCalendar,
    &Settings::russianCalendar, &Settings::exitOnMouseMoveFlag};

// Settings from a file with every flag `on` and display mode 5.
Settings fileWith(uint8_t on) {
  Settings settings;
  for (Flag flag : kFlags) settings.*flag = on;
  settings.displayMode = 5;
  return settings;
}

struct FlagCase {
  uint8_t fileFlags;                        // every flag of the file
  Words words;
  std::vector<std::pair<Flag, uint8_t>> changes;
  int32_t displayMode = 5;                  // the file's unless changed
};

// Each flag changes exactly the options it names, whatever the file says,
// and a later flag wins over an earlier one. Words that are no option (a
// host's own, or a single-dash spelling the saver does not have) change
// nothing, wherever they stand.
TEST(SaverCommandLine, FlagsChangeTheirOptionsOverTheFile) {
  const std::vector<FlagCase> cases = {
      {0, {"--clock=digital"}, {{&Settings::showClock, 1}}},
      {1, {"--clock=digital"}, {{&Settings::analogClock, 0}}},
      {0, {"--clock", "analog"}, {{&Settings::showClock, 1}, {&Settings::analogClock, 1}}},
      {1, {"--clock=none"}, {{&Settings::showClock, 0}}},
      {0, {"--24-hour"}, {{&Settings::clock24Hour, 1}}},
      {1, {"--12-hour"}, {{&Settings::clock24Hour, 0}}},
      {0, {"--large-clock"}, {{&Settings::largeClock, 1}}},
      {1, {"--small-clock"}, {{&Settings::largeClock, 0}}},
      {0, {"--calendar=sunday"}, {{&Settings::showCalendar, 1}}},
      {1, {"--calendar=sunday"}, {{&Settings::russianCalendar, 0}}},
      {0, {"--calendar", "monday"}, {{&Settings::showCalendar, 1}, {&Settings::russianCalendar, 1}}},
      {1, {"--calendar=none"}, {{&Settings::showCalendar, 0}}},
      {0, {"--fps"}, {{&Settings::showFrameRate, 1}}},
      {0, {"-fps"}, {{&Settings::showFrameRate, 1}}},
      {1, {"--no-fps"}, {{&Settings::showFrameRate, 0}}},
      {1, {"-no-fps"}, {{&Settings::showFrameRate, 0}}},
      {0, {"--exit-on-mouse-move"}, {{&Settings::exitOnMouseMoveFlag, 1}}},
      {1, {"--no-exit-on-mouse-move"}, {{&Settings::exitOnMouseMoveFlag, 0}}},
      // Display modes: the first and last rows by name and by number.
      {0, {"--display-mode=1024x768"}, {}, 3},
      {0, {"--display-mode", "desktop"}, {}, 0},
      {0, {"--display-mode=0"}, {}, 0},
      {0, {"--display-mode=640x480"}, {}, 1},
      {0, {"--display-mode=1600x1200"}, {}, 9},
      {0, {"--display-mode=9"}, {}, 9},
      {0, {"--root", "--window-id", "0x1234", "-root", "-window-id", "5"}, {}},
      {0, {"--background", "--fps"}, {{&Settings::showFrameRate, 1}}},
      {0, {"--fps", "--clock=none", "--no-fps", "--clock=analog"},
       {{&Settings::showClock, 1}, {&Settings::analogClock, 1}}},
      {0, {"x", "--fps"}, {{&Settings::showFrameRate, 1}}},
      {0, {"--fps", "x"}, {{&Settings::showFrameRate, 1}}},
      {0, {"/p:123456", "-p", "123456", "-fps", "123"}, {{&Settings::showFrameRate, 1}}},
      {0, {"-24-hour", "-clock=analog", "--root", "/s", "--large-clock"},
       {{&Settings::largeClock, 1}}},
  };
  for (const FlagCase& c : cases) {
    std::string context = testing::PrintToString(c.words) + " over flags " +
                          std::to_string(c.fileFlags);
    SaverCommand command = readSaverCommand(c.words);
    ASSERT_EQ(command.request, SaverRequest::Run) << context << ": " << command.problem;
    Settings settings = fileWith(c.fileFlags);
    command.overrides.applyTo(settings);
    Settings expected = fileWith(c.fileFlags);
    for (const auto& change : c.changes) expected.*change.first = change.second;
    for (size_t i = 0; i < kFlags.size(); ++i) {
      EXPECT_EQ(settings.*kFlags[i], expected.*kFlags[i]) << context << ", flag " << i;
    }
    EXPECT_EQ(settings.displayMode, c.displayMode) << context;
  }
}

TEST(SaverCommandLine, MistakesNameTheWordInOneLine) {
  const std::vector<std::pair<Words, std::string>> mistakes = {
      {{"--bogus"}, "--bogus"},          {{"x", "--bogus", "--fps"}, "--bogus"},
      {{"--clock=Analog"}, "Analog"},    {{"--clock"}, "--clock"},
      {{"--calendar=tuesday"}, "tuesday"}, {{"--display-mode=1023x768"}, "1023x768"},
      {{"--display-mode=10"}, "10"},     {{"--display-mode=-1"}, "-1"},
      {{"--window-id"}, "--window-id"},  {{"--fps=1"}, "--fps=1"},
      {{"--clock", "x"}, "\"x\""},
      {{"--snow=lots"}, "lots"},         {{"--snow"}, "--snow"},
      {{"--time-of-day=on"}, "--time-of-day=on"}, {{"--overlays=left"}, "left"},
      {{"--overlays"}, "--overlays"},
  };
  for (const auto& mistake : mistakes) {
    SaverCommand command = readSaverCommand(mistake.first);
    EXPECT_EQ(command.request, SaverRequest::Mistake) << mistake.second;
    EXPECT_NE(command.problem.find(mistake.second), std::string::npos) << command.problem;
    EXPECT_EQ(command.problem.find('\n'), std::string::npos) << command.problem;
  }
}

TEST(SaverCommandLine, HelpAndVersionEndTheReading) {
  EXPECT_EQ(readSaverCommand({"--fps", "--help", "--bogus"}).request, SaverRequest::Help);
  EXPECT_EQ(readSaverCommand({"-h"}).request, SaverRequest::Help);
  EXPECT_EQ(readSaverCommand({"--root", "--version"}).request, SaverRequest::Version);
  EXPECT_EQ(readSaverCommand(commandWords("  --clock=none \t --fps ")).request,
            SaverRequest::Run);
  EXPECT_TRUE(readSaverCommand({"--fps", "--background"}).background);
  EXPECT_FALSE(readSaverCommand({"--root", "-background"}).background);
}

}  // namespace
