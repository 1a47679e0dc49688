#include "app/option_flags.h"

#include "app/display_mode_names.h"

namespace {

using Flag = uint8_t Settings::*;
using FlagValues = std::vector<std::pair<Flag, uint8_t>>;

// An option without a value, and the one that undoes it.
struct Switch {
  const char* on;
  const char* off;
  Flag field;
  const char* help;
};

struct Choice {
  const char* value;
  FlagValues sets;
};

// An option that takes one of a few named values.
struct Chooser {
  const char* name;
  std::vector<Choice> choices;
  const char* help;
};

const std::vector<Switch>& switches() {
  static const std::vector<Switch> table = {
      {"--24-hour", "--12-hour", &Settings::clock24Hour,
       "digits in 24-hour form, or in 12-hour form with AM/PM"},
      {"--large-clock", "--small-clock", &Settings::largeClock,
       "the clock nearer the viewer, so larger, or further away"},
      {"--fps", "--no-fps", &Settings::showFrameRate,
       "show the frame rate, or not (also -fps, -no-fps)"},
      {"--exit-on-mouse-move", "--no-exit-on-mouse-move", &Settings::exitOnMouseMoveFlag,
       "end the full-screen run when the mouse moves (after its first 3 seconds), or only on "
       "Escape"},
  };
  return table;
}

const std::vector<Chooser>& choosers() {
  static const std::vector<Chooser> table = {
      {"--clock",
       {{"digital", {{&Settings::showClock, 1}, {&Settings::analogClock, 0}}},
        {"analog", {{&Settings::showClock, 1}, {&Settings::analogClock, 1}}},
        {"none", {{&Settings::showClock, 0}}}},
       "a digital clock, a dial with hands, or no clock"},
      {"--calendar",
       {{"sunday", {{&Settings::showCalendar, 1}, {&Settings::russianCalendar, 0}}},
        {"monday", {{&Settings::showCalendar, 1}, {&Settings::russianCalendar, 1}}},
        {"none", {{&Settings::showCalendar, 0}}}},
       "a month calendar with weeks from Sunday, one with weeks from Monday and its own "
       "weekday names, or none"},
  };
  return table;
}

constexpr const char* kDisplayModeOption = "--display-mode";
constexpr const char* kTimeOfDayOn = "--time-of-day";
constexpr const char* kTimeOfDayOff = "--no-time-of-day";
constexpr const char* kSnowOption = "--snow";
constexpr const char* kOverlaysOption = "--overlays";

// XScreenSaver's own spellings, with one dash, for the frame-rate switch.
std::string longForm(const std::string& word) {
  return word == "-fps" || word == "-no-fps" ? "-" + word : word;
}

std::string choiceList(const Chooser& chooser, const char* separator) {
  std::string list;
  for (const Choice& choice : chooser.choices) {
    list += (list.empty() ? "" : separator) + std::string(choice.value);
  }
  return list;
}

bool applyChoice(const Chooser& chooser, const std::string& value, SettingOverrides& overrides,
                 std::string& problem) {
  for (const Choice& choice : chooser.choices) {
    if (value != choice.value) continue;
    for (const auto& set : choice.sets) overrides.setFlag(set.first, set.second);
    return true;
  }
  problem = std::string(chooser.name) + " takes " + choiceList(chooser, ", ") + ", not \"" +
            value + "\"";
  return false;
}

bool applyDisplayMode(const std::string& value, SettingOverrides& overrides,
                      std::string& problem) {
  int32_t row = 0;
  if (parseDisplayMode(value, row)) {
    overrides.setDisplayMode(row);
    return true;
  }
  problem = std::string(kDisplayModeOption) + " takes " + allDisplayModeValues(", ") +
            ", not \"" + value + "\"";
  return false;
}

// "--name=value" or "--name value": the value, and the words it took.
// Returns 0 when the word is not this option.
int valueOf(const std::vector<std::string>& words, size_t at, const std::string& name,
            std::string& value) {
  const std::string& word = words[at];
  if (word.compare(0, name.size() + 1, name + "=") == 0) {
    value = word.substr(name.size() + 1);
    return 1;
  }
  if (word != name) return 0;
  if (at + 1 >= words.size()) return -1;
  value = words[at + 1];
  return 2;
}

int readSnowOption(const std::vector<std::string>& words, size_t at,
                   SettingOverrides& overrides, std::string& problem) {
  std::string value;
  int taken = valueOf(words, at, kSnowOption, value);
  if (taken < 0) problem = std::string(kSnowOption) + " needs one of none, light, steady, heavy";
  if (taken <= 0) return taken;
  Snowfall snowfall = Snowfall::None;
  if (!parseSnowfall(value, snowfall)) {
    problem = std::string(kSnowOption) + " takes none, light, steady, heavy, not \"" + value +
              "\"";
    return -1;
  }
  overrides.setSnowfall(snowfall);
  return taken;
}

int readOverlaysOption(const std::vector<std::string>& words, size_t at,
                       SettingOverrides& overrides, std::string& problem) {
  std::string value;
  int taken = valueOf(words, at, kOverlaysOption, value);
  if (taken < 0) problem = std::string(kOverlaysOption) + " needs every-monitor or primary-monitor";
  if (taken <= 0) return taken;
  OverlayMonitors overlays = OverlayMonitors::Every;
  if (!parseOverlayMonitors(value, overlays)) {
    problem = std::string(kOverlaysOption) + " takes every-monitor, primary-monitor, not \"" +
              value + "\"";
    return -1;
  }
  overrides.setOverlayMonitors(overlays);
  return taken;
}

int readValueOption(const std::vector<std::string>& words, size_t at,
                    SettingOverrides& overrides, std::string& problem) {
  std::string value;
  for (const Chooser& chooser : choosers()) {
    int taken = valueOf(words, at, chooser.name, value);
    if (taken < 0) problem = std::string(chooser.name) + " needs one of " + choiceList(chooser, ", ");
    if (taken > 0 && !applyChoice(chooser, value, overrides, problem)) return -1;
    if (taken != 0) return taken;
  }
  int taken = valueOf(words, at, kDisplayModeOption, value);
  if (taken < 0) problem = std::string(kDisplayModeOption) + " needs a mode such as 1024x768";
  if (taken > 0 && !applyDisplayMode(value, overrides, problem)) return -1;
  if (taken != 0) return taken;
  taken = readSnowOption(words, at, overrides, problem);
  if (taken != 0) return taken;
  return readOverlaysOption(words, at, overrides, problem);
}

// "  --name  help": the help starts in a column of its own (on the next
// line when the name is too long for that) and wraps before column 80.
std::string helpEntry(const std::string& synopsis, const std::string& help) {
  constexpr size_t kHelpColumn = 32;
  constexpr size_t kWidth = 79;
  std::string text = "  " + synopsis;
  size_t lineStart = 0;
  if (text.size() + 2 > kHelpColumn) {
    text += "\n";
    lineStart = text.size();
  }
  size_t at = 0;
  while (at < help.size()) {
    size_t end = help.find(' ', at);
    if (end == std::string::npos) end = help.size();
    std::string word = help.substr(at, end - at);
    size_t column = text.size() - lineStart;
    if (column < kHelpColumn) {
      text += std::string(kHelpColumn - column, ' ');
    } else if (column + 1 + word.size() > kWidth) {
      text += "\n" + std::string(kHelpColumn, ' ');
      lineStart = text.size() - kHelpColumn;
    } else {
      text += ' ';
    }
    text += word;
    at = end + 1;
  }
  return text + "\n";
}

}  // namespace

void SettingOverrides::setFlag(uint8_t Settings::*field, uint8_t value) {
  flags_.emplace_back(field, value);
}

void SettingOverrides::setDisplayMode(int32_t row) {
  hasDisplayMode_ = true;
  displayMode_ = row;
}

void SettingOverrides::setTimeOfDay(bool on) {
  hasTimeOfDay_ = true;
  timeOfDay_ = on;
}

void SettingOverrides::setSnowfall(Snowfall snowfall) {
  hasSnowfall_ = true;
  snowfall_ = snowfall;
}

void SettingOverrides::setOverlayMonitors(OverlayMonitors overlays) {
  hasOverlayMonitors_ = true;
  overlayMonitors_ = overlays;
}

void SettingOverrides::applyTo(Settings& settings) const {
  for (const auto& flag : flags_) settings.*flag.first = flag.second;
  if (hasDisplayMode_) settings.displayMode = displayMode_;
}

void SettingOverrides::applyTo(ExtraSettings& extras) const {
  if (hasTimeOfDay_) extras.timeOfDay = timeOfDay_;
  if (hasSnowfall_) extras.snowfall = snowfall_;
  if (hasOverlayMonitors_) extras.overlayMonitors = overlayMonitors_;
}

int readSettingOption(const std::vector<std::string>& words, size_t at,
                      SettingOverrides& overrides, std::string& problem) {
  const std::string word = longForm(words[at]);
  for (const Switch& option : switches()) {
    if (word == option.on || word == option.off) {
      overrides.setFlag(option.field, word == option.on ? 1 : 0);
      return 1;
    }
  }
  if (word == kTimeOfDayOn || word == kTimeOfDayOff) {
    overrides.setTimeOfDay(word == kTimeOfDayOn);
    return 1;
  }
  return readValueOption(words, at, overrides, problem);
}

std::string settingOptionsHelp() {
  std::string text;
  for (const Chooser& chooser : choosers()) {
    text += helpEntry(std::string(chooser.name) + "=" + choiceList(chooser, "|"), chooser.help);
  }
  for (const Switch& option : switches()) {
    text += helpEntry(std::string(option.on) + ", " + option.off, option.help);
  }
  text += helpEntry(std::string(kDisplayModeOption) + "=MODE",
                    "the screen mode of the full-screen run: " + allDisplayModeValues(", ") +
                        " (desktop keeps the desktop's)");
  text += helpEntry(std::string(kTimeOfDayOn) + ", " + kTimeOfDayOff,
                    "light that follows the local time: a low winter sun by day, blue dusk, "
                    "moonlight and the train's lamps at night; or always noon");
  text += helpEntry(std::string(kSnowOption) + "=none|light|steady|heavy",
                    "falling snow drifting past the train, and how thick");
  text += helpEntry(std::string(kOverlaysOption) + "=every-monitor|primary-monitor",
                    "with several monitors, each showing the whole scene: the clock, calendar "
                    "and frame rate on each of them, or on the primary one only");
  return text;
}
