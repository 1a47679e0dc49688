// The screen-saver daemon's description of this saver (halvenrode.xml):
// every option it can put on the command line is one the saver accepts,
// each of its controls starts at the saver's default, and together they
// reach every option that changes the picture.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "app/extra_settings.h"
#include "app/saver_command.h"
#include "app/settings.h"

namespace {

using Flag = uint8_t Settings::*;

std::string hostConfig() {
  std::ifstream in(HOST_CONFIG_FILE);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The option words of every control: arg, arg-set and arg-unset values.
std::vector<std::string> controlArguments(const std::string& xml, std::string& command) {
  std::vector<std::string> arguments;
  std::regex attribute("<(\\w+)[^>]*?\\s(arg|arg-set|arg-unset)=\"([^\"]*)\"");
  for (std::sregex_iterator it(xml.begin(), xml.end(), attribute), end; it != end; ++it) {
    if ((*it)[1] == "command") {
      command = (*it)[3];
    } else {
      arguments.push_back((*it)[3]);
    }
  }
  return arguments;
}

TEST(HostConfig, EveryControlIsAnOptionTheSaverTakesAndStartsAtItsDefault) {
  const std::string xml = hostConfig();
  ASSERT_FALSE(xml.empty()) << HOST_CONFIG_FILE;
  std::string command;
  std::vector<std::string> arguments = controlArguments(xml, command);
  ASSERT_EQ(command, "--root");
  EXPECT_EQ(readSaverCommand(commandWords(command)).request, SaverRequest::Run);

  const std::vector<std::pair<const char*, Flag>> pictureOptions = {
      {"frame rate", &Settings::showFrameRate}, {"clock", &Settings::showClock},
      {"analog clock", &Settings::analogClock}, {"24-hour clock", &Settings::clock24Hour},
      {"large clock", &Settings::largeClock},   {"calendar", &Settings::showCalendar},
      {"Monday calendar", &Settings::russianCalendar}};
  std::vector<bool> reached(pictureOptions.size(), false);
  std::vector<bool> snowfalls(4, false);
  bool timeOfDay = false;
  for (const std::string& argument : arguments) {
    SaverCommand parsed = readSaverCommand(commandWords(argument));
    ASSERT_EQ(parsed.request, SaverRequest::Run) << argument << ": " << parsed.problem;
    Settings settings;
    parsed.overrides.applyTo(settings);
    ExtraSettings extras;
    parsed.overrides.applyTo(extras);
    bool changes = extras.timeOfDay || extras.snowfall != Snowfall::None;
    timeOfDay = timeOfDay || extras.timeOfDay;
    snowfalls[static_cast<size_t>(extras.snowfall)] = true;
    for (size_t i = 0; i < pictureOptions.size(); ++i) {
      if (settings.*pictureOptions[i].second != Settings().*pictureOptions[i].second) {
        changes = reached[i] = true;
      }
    }
    // An option that changes nothing from the defaults means the control
    // shows another default than the saver has.
    EXPECT_TRUE(changes) << argument;
  }
  for (size_t i = 0; i < pictureOptions.size(); ++i) {
    EXPECT_TRUE(reached[i]) << "no control changes the " << pictureOptions[i].first;
  }
  EXPECT_TRUE(timeOfDay) << "no control makes the light follow the time of day";
  for (size_t i = 1; i < snowfalls.size(); ++i) EXPECT_TRUE(snowfalls[i]) << "snowfall " << i;
}

}  // namespace
