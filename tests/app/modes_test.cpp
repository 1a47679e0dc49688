#include <gtest/gtest.h>

#include "app/modes.h"
#include "app/saver_command.h"

namespace {

RunMode modeOf(const char* text) { return selectMode(parseCommandLine(text)); }

TEST(ModeSelection, SecondCharacterSPicksTheLauncher) {
  for (const char* text : {"/S", "-s", "/scr", "/s 123", "/s /c /p"}) {
    EXPECT_EQ(modeOf(text), RunMode::Launcher) << text;
  }
}

TEST(ModeSelection, SecondCharacterCPicksConfigure) {
  for (const char* text : {"/C:5", "-c", "/c 99"}) {
    EXPECT_EQ(modeOf(text), RunMode::Configure) << text;
  }
}

TEST(ModeSelection, OnlyExactSlashPPicksPreviewWithItsHandle) {
  CommandLine line = parseCommandLine("/p 123456");
  EXPECT_EQ(selectMode(line), RunMode::Preview);
  EXPECT_TRUE(line.hasSecondNumber);
  EXPECT_EQ(line.secondNumber, 123456);
  EXPECT_EQ(modeOf("/P   42"), RunMode::Preview);
  EXPECT_FALSE(parseCommandLine("/p").hasSecondNumber);
  EXPECT_FALSE(parseCommandLine("/p window").hasSecondNumber);
}

// Each of these runs the saver itself: the words that chose the mode are
// not taken for options the saver does not know.
TEST(ModeSelection, EverythingElseRunsTheSaver) {
  for (const char* text : {"/p:123456", "-p 123456", "", "x", "123", "--root",
                           "-window-id 0x1200007", "--window-id 12", "x --fps"}) {
    EXPECT_EQ(modeOf(text), RunMode::Saver) << '"' << text << '"';
    SaverCommand command = readSaverCommand(commandWords(text));
    EXPECT_EQ(command.request, SaverRequest::Run) << '"' << text << "\": " << command.problem;
  }
}

}  // namespace
