#include "app/options/option_values.h"

#include "app/display_mode_table.h"
#include "app/options/display_mode_names.h"

namespace {

constexpr int kOff = 0;
constexpr int kOn = 1;

std::vector<OptionValue> displayModeValues() {
  std::vector<OptionValue> values;
  for (int row = 0; row < kDisplayModeCount; ++row) {
    values.push_back({displayModeValue(row), row, displayModeLabel(row)});
  }
  return values;
}

}  // namespace

std::vector<OptionValue> valuesOf(const Option& option) {
  switch (option.values) {
    case OptionValues::OnOff:
      return {{"on", kOn, ""}, {"off", kOff, ""}};
    case OptionValues::DisplayMode:
      return displayModeValues();
    case OptionValues::Named:
      break;
  }
  std::vector<OptionValue> values;
  for (const NamedValue& named : option.namedValues) {
    values.push_back({named.name, named.value, named.label != nullptr ? named.label : ""});
  }
  return values;
}

std::string valueName(const Option& option, int value) {
  if (option.values == OptionValues::OnOff) return value != kOff ? "on" : "off";
  std::vector<OptionValue> values = valuesOf(option);
  for (int wanted : {value, option.defaultValue}) {
    for (const OptionValue& known : values) {
      if (known.value == wanted) return known.name;
    }
  }
  return std::string();
}

bool parseValue(const Option& option, const std::string& text, int& value) {
  if (option.values == OptionValues::OnOff) {
    bool on = false;
    if (!parseOnOff(text, on)) return false;
    value = on ? kOn : kOff;
    return true;
  }
  if (option.values == OptionValues::DisplayMode) {
    int32_t row = 0;
    if (!parseDisplayMode(text, row)) return false;
    value = row;
    return true;
  }
  for (const OptionValue& known : valuesOf(option)) {
    if (text == known.name) {
      value = known.value;
      return true;
    }
  }
  return false;
}

std::string valueList(const Option& option, const std::string& separator,
                      const std::string& last) {
  std::vector<std::string> names;
  for (const OptionValue& value : valuesOf(option)) names.push_back(value.name);
  return joinedNames(names, separator, last);
}

std::string joinedNames(const std::vector<std::string>& names, const std::string& separator,
                        const std::string& last) {
  std::string list;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? last : separator;
    list += names[i];
  }
  return list;
}

bool parseOnOff(const std::string& text, bool& on) {
  for (const char* word : {"on", "yes", "true", "1"}) {
    if (text == word) return on = true, true;
  }
  for (const char* word : {"off", "no", "false", "0"}) {
    if (text == word) return on = false, true;
  }
  return false;
}
