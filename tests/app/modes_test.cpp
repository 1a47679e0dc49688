#include <gtest/gtest.h>

#include "app/modes.h"

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

TEST(ModeSelection, EverythingElseRunsTheSaver) {
  for (const char* text : {"/p:123456", "-p 123456", "", "x", "--root", "-window-id 0x1200007",
                           "--window-id 12"}) {
    EXPECT_EQ(modeOf(text), RunMode::Saver) << '"' << text << '"';
  }
}

}  // namespace
