#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/options/option.h"

// Options given on a command line for one run. They are laid over whatever
// the settings files gave, in the order they came, so a later flag wins
// over an earlier one.
class SettingOverrides {
 public:
  void set(const Option& option, int value);
  // Sets the option called `name`; false, with nothing set, for no option.
  bool set(const std::string& name, int value);
  // Each applies the options kept in that record.
  void applyTo(Settings& settings) const;
  void applyTo(ExtraSettings& extras) const;

 private:
  std::vector<std::pair<const Option*, int>> values_;
};

// Reads the settings option that starts at words[at]: a switch such as
// "--24-hour", "-fps" or "--time-of-day", or a valued one such as
// "--clock=analog", "--clock analog" or "--snow=heavy". Returns the number
// of words it took (1 or 2); 0 when words[at] is no settings option; -1,
// with `problem` set, when it is one but its value is missing or not one
// it takes.
int readSettingOption(const std::vector<std::string>& words, size_t at,
                      SettingOverrides& overrides, std::string& problem);

// The values a valued or combined option takes on the command line, in
// the order lists give them.
std::vector<std::string> commandLineValues(const Option& option);
