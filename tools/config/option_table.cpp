#include "tools/config/option_table.h"

#include "app/display_mode_names.h"
#include "app/display_mode_table.h"
#include "app/extra_settings.h"

namespace {

bool parseFlag(const std::string& text, uint8_t& value) {
  bool on = false;
  if (!parseOnOff(text, on)) return false;
  value = on ? 1 : 0;
  return true;
}

}  // namespace

const std::vector<FlagOption>& flagOptions() {
  static const std::vector<FlagOption> options = {
      {"clock", "Clock", "Sho_w the clock", nullptr, &Settings::showClock},
      {"analog-clock", "Clock", "_Analog, with hands", "_Digital", &Settings::analogClock},
      {"clock-24-hour", "Clock", "_24-hour digits (otherwise AM/PM)", nullptr,
       &Settings::clock24Hour},
      {"large-clock", "Clock", "_Large clock", nullptr, &Settings::largeClock},
      {"calendar", "Calendar", "Show the calenda_r", nullptr, &Settings::showCalendar},
      // The flag also picks the calendar artwork with Russian weekday names.
      {"monday-first-calendar", "Calendar", "Weeks start on _Monday, weekday names in Russian",
       nullptr, &Settings::russianCalendar},
      {"frame-rate", "Screen", "Show the _frame rate", nullptr, &Settings::showFrameRate},
      {"exit-on-mouse-move", "Screen", "_Exit when the mouse moves", nullptr,
       &Settings::exitOnMouseMoveFlag},
  };
  return options;
}

std::string displayModeLabel(int row) {
  if (row <= 0 || row >= kDisplayModeCount) return "Desktop";
  const DisplayMode& mode = DisplayModeTable[row];
  return std::to_string(mode.width) + " \u00d7 " + std::to_string(mode.height) + ", " +
         std::to_string(mode.bitsPerPixel) + " bits per pixel";
}

std::string describeSettings(const Settings& settings) {
  std::string text;
  for (const FlagOption& option : flagOptions()) {
    text += std::string(option.name) + "=" + (settings.*option.field != 0 ? "on" : "off") + "\n";
  }
  text += std::string(kDisplayModeOptionName) + "=" + displayModeValue(settings.displayMode) + "\n";
  return text;
}

bool applyAssignment(Settings& settings, const std::string& assignment, std::string& problem) {
  size_t equals = assignment.find('=');
  std::string name = assignment.substr(0, equals);
  std::string value = equals == std::string::npos ? std::string() : assignment.substr(equals + 1);
  if (equals == std::string::npos) {
    problem = "\"" + assignment + "\" is not of the form name=value";
    return false;
  }
  if (name == kDisplayModeOptionName) {
    if (parseDisplayMode(value, settings.displayMode)) return true;
    problem = "display-mode takes one of: " + allDisplayModeValues(", ");
    return false;
  }
  for (const FlagOption& option : flagOptions()) {
    if (name != option.name) continue;
    if (parseFlag(value, settings.*option.field)) return true;
    problem = name + " takes on or off, not \"" + value + "\"";
    return false;
  }
  problem = "there is no option called \"" + name + "\"";
  return false;
}
