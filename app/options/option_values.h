#pragma once
#include <string>
#include <vector>

#include "app/options/option.h"

// One value of an option as lists and the dialog show it.
struct OptionValue {
  std::string name;
  int value;
  std::string label;  // the dialog's text, for values chosen from a list
};

// Every value of `option` in the order lists give them: on before off,
// named values as the table has them, display-mode rows from the desktop.
std::vector<OptionValue> valuesOf(const Option& option);

// The name of `value` as --show and the text file write it: "on" for any
// number but 0, a named value's name, a row's name. A number that is no
// value of the option (a damaged file) gives the default's name.
std::string valueName(const Option& option, int value);

// Reads a value's name as a person types it: on and off also as yes and
// no, true and false, 1 and 0; a display mode also as its row number.
bool parseValue(const Option& option, const std::string& text, int& value);

// The values' names joined by `separator`, the last one by `last`:
// "none, light, steady or heavy".
std::string valueList(const Option& option, const std::string& separator,
                      const std::string& last);

// `names` joined by `separator`, the last one by `last`.
std::string joinedNames(const std::vector<std::string>& names, const std::string& separator,
                        const std::string& last);

// "on", "yes", "true", "1" and "off", "no", "false", "0".
bool parseOnOff(const std::string& text, bool& on);
