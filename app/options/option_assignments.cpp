#include "app/options/option_assignments.h"

#include "app/options/option_table.h"
#include "app/options/option_values.h"

namespace {

// The display modes are too many to repeat what was given after them.
std::string notAValue(const Option& option, const std::string& value) {
  if (option.values == OptionValues::DisplayMode) {
    return std::string(option.name) + " takes one of: " + valueList(option, ", ", ", ");
  }
  return std::string(option.name) + " takes " + valueList(option, ", ", " or ") + ", not \"" +
         value + "\"";
}

}  // namespace

const Option* applyAssignment(const std::string& assignment, Settings& settings,
                              ExtraSettings& extras, std::string& problem) {
  size_t equals = assignment.find('=');
  if (equals == std::string::npos) {
    problem = "\"" + assignment + "\" is not of the form name=value";
    return nullptr;
  }
  std::string name = assignment.substr(0, equals);
  const Option* option = findOption(name);
  if (option == nullptr) {
    problem = "there is no option called \"" + name + "\"";
    return nullptr;
  }
  std::string value = assignment.substr(equals + 1);
  if (option->field.store == OptionStore::TextFile) value = withoutBlanksAround(value);
  int parsed = 0;
  if (!parseValue(*option, value, parsed)) {
    problem = notAValue(*option, value);
    return nullptr;
  }
  option->field.write(settings, extras, parsed);
  return option;
}

std::string describeOptions(const Settings& settings, const ExtraSettings& extras) {
  std::string text;
  for (const Option& option : optionTable()) {
    text += std::string(option.name) + "=" +
            valueName(option, option.field.read(settings, extras)) + "\n";
  }
  return text;
}
