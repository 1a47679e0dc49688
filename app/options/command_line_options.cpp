#include "app/options/command_line_options.h"

#include "app/options/option_table.h"
#include "app/options/option_values.h"

namespace {

constexpr int kOff = 0;
constexpr int kOn = 1;

// A switch's word, or its one-dash spelling when the option takes that.
int readSwitch(const Option& option, const std::string& word, SettingOverrides& overrides) {
  const CommandLineForm& form = option.commandLine;
  std::string longWord = form.singleDash && word.compare(0, 2, "--") != 0 ? "-" + word : word;
  if (longWord != form.word && longWord != form.offWord) return 0;
  overrides.set(option, longWord == form.word ? kOn : kOff);
  return 1;
}

// "--name=value" or "--name value": the value, and the words it took.
// Returns 0 when the word is not this option, -1 when its value is missing.
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

// Sets what `value` stands for; false when it is no value of the option.
bool applyValue(const Option& option, const std::string& value, SettingOverrides& overrides) {
  if (option.commandLine.kind == CommandLineForm::Valued) {
    int parsed = 0;
    if (!parseValue(option, value, parsed)) return false;
    overrides.set(option, parsed);
    return true;
  }
  for (const CombinedChoice& choice : option.commandLine.choices) {
    if (value != choice.value) continue;
    for (const auto& set : choice.sets) overrides.set(set.first, set.second);
    return true;
  }
  return false;
}

// What a missing value should have been: "one of a, b, c", or of two
// values "a or b".
std::string neededValue(const Option& option) {
  if (option.commandLine.missing != nullptr) return option.commandLine.missing;
  std::vector<std::string> values = commandLineValues(option);
  if (values.size() == 2) return joinedNames(values, ", ", " or ");
  return "one of " + joinedNames(values, ", ", ", ");
}

int readValued(const Option& option, const std::vector<std::string>& words, size_t at,
               SettingOverrides& overrides, std::string& problem) {
  const std::string word = option.commandLine.word;
  std::string value;
  int taken = valueOf(words, at, word, value);
  if (taken < 0) problem = word + " needs " + neededValue(option);
  if (taken <= 0) return taken;
  if (applyValue(option, value, overrides)) return taken;
  problem = word + " takes " + joinedNames(commandLineValues(option), ", ", ", ") + ", not \"" +
            value + "\"";
  return -1;
}

}  // namespace

void SettingOverrides::set(const Option& option, int value) {
  values_.emplace_back(&option, value);
}

bool SettingOverrides::set(const std::string& name, int value) {
  const Option* option = findOption(name);
  if (option != nullptr) set(*option, value);
  return option != nullptr;
}

void SettingOverrides::applyTo(Settings& settings) const {
  for (const auto& value : values_) value.first->field.writeTo(settings, value.second);
}

void SettingOverrides::applyTo(ExtraSettings& extras) const {
  for (const auto& value : values_) value.first->field.writeTo(extras, value.second);
}

int readSettingOption(const std::vector<std::string>& words, size_t at,
                      SettingOverrides& overrides, std::string& problem) {
  for (const Option& option : optionTable()) {
    CommandLineForm::Kind kind = option.commandLine.kind;
    if (kind == CommandLineForm::None) continue;
    int taken = kind == CommandLineForm::Switch ? readSwitch(option, words[at], overrides)
                                                : readValued(option, words, at, overrides, problem);
    if (taken != 0) return taken;
  }
  return 0;
}

std::vector<std::string> commandLineValues(const Option& option) {
  std::vector<std::string> names;
  if (option.commandLine.kind == CommandLineForm::Combined) {
    for (const CombinedChoice& choice : option.commandLine.choices) names.push_back(choice.value);
  } else {
    for (const OptionValue& value : valuesOf(option)) names.push_back(value.name);
  }
  return names;
}
