#include <gtest/gtest.h>

#include "app/modes.h"
#include "app/saver_command.h"
#include "platform/host_window.h"

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
  EXPECT_EQ(modeOf("/p 123456"), RunMode::Preview);
  EXPECT_EQ(modeOf("/P   42"), RunMode::Preview);
}

// The preview's window is read as every window option reads its id: hex
// with 0x, otherwise decimal, a leading zero included; 0, signs, blanks
// and trailing letters are no id.
TEST(ModeSelection, WindowIdsAreHexWithPrefixElseDecimal) {
  const std::vector<std::pair<const char*, long>> ids = {
      {"123456", 123456}, {"0x200000", 0x200000}, {"0X1a", 0x1a}, {"0777", 777},
      {"0", -1},          {"0x", -1},             {"-5", -1},     {"+5", -1},
      {"0x-1", -1},       {"12abc", -1},          {"window", -1}, {"", -1},
      {"0x 1", -1}};
  for (const auto& id : ids) {
    unsigned long window = 0;
    bool parsed = parseWindowId(id.first, window);
    EXPECT_EQ(parsed, id.second >= 0) << '"' << id.first << '"';
    if (parsed) {
      EXPECT_EQ(window, static_cast<unsigned long>(id.second)) << id.first;
    }
    CommandLine line = parseCommandLine(std::string("/p ") + id.first);
    EXPECT_EQ(line.hasSecondNumber, id.second >= 0) << id.first;
    if (line.hasSecondNumber) {
      EXPECT_EQ(line.secondNumber, id.second) << id.first;
    }
  }
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
