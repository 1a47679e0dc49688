#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/extra_settings.h"
#include "app/settings.h"

// Options of the settings file given on a command line for one run. They
// are laid over whatever the settings files gave, in the order they came,
// so a later flag wins over an earlier one.
class SettingOverrides {
 public:
  void setFlag(uint8_t Settings::*field, uint8_t value);
  void setDisplayMode(int32_t row);
  void setTimeOfDay(bool on);
  void setSnowfall(Snowfall snowfall);
  void setOverlayMonitors(OverlayMonitors overlays);
  void applyTo(Settings& settings) const;
  void applyTo(ExtraSettings& extras) const;

 private:
  std::vector<std::pair<uint8_t Settings::*, uint8_t>> flags_;
  bool hasDisplayMode_ = false;
  int32_t displayMode_ = 0;
  bool hasTimeOfDay_ = false;
  bool timeOfDay_ = false;
  bool hasSnowfall_ = false;
  Snowfall snowfall_ = Snowfall::None;
  bool hasOverlayMonitors_ = false;
  OverlayMonitors overlayMonitors_ = OverlayMonitors::Every;
};

// Reads the settings option that starts at words[at]: a switch such as
// "--24-hour", "-fps" or "--time-of-day", or a choice such as
// "--clock=analog", "--clock analog" or "--snow=heavy". Returns the number of words it took (1 or 2); 0 when
// words[at] is no settings option; -1, with `problem` set, when it is one
// but its value is missing or not one of its choices.
int readSettingOption(const std::vector<std::string>& words, size_t at,
                      SettingOverrides& overrides, std::string& problem);

// One entry per settings option, for usage texts: "  --clock=..." and
// what it does, each entry ending with a newline.
std::string settingOptionsHelp();
