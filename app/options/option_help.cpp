#include "app/options/option_help.h"

#include <vector>

#include "app/extra_settings.h"
#include "app/options/command_line_options.h"
#include "app/options/option_table.h"
#include "app/options/option_values.h"

namespace {

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

// "--fps, --no-fps" or "--snow=none|light|steady|heavy".
std::string synopsis(const CommandLineForm& form, const Option& option) {
  if (form.kind == CommandLineForm::Switch) return std::string(form.word) + ", " + form.offWord;
  std::string values = form.placeholder != nullptr
                           ? std::string(form.placeholder)
                           : joinedNames(commandLineValues(option), "|", "|");
  return std::string(form.word) + "=" + values;
}

// The option's help, with its values where it says "{values}", and a
// switch's one-dash spellings after it.
std::string helpText(const CommandLineForm& form, const Option& option) {
  std::string help = form.help;
  const std::string marker = "{values}";
  size_t at = help.find(marker);
  if (at != std::string::npos) help.replace(at, marker.size(), valueList(option, ", ", ", "));
  if (form.singleDash) {
    help += std::string(" (also ") + (form.word + 1) + ", " + (form.offWord + 1) + ")";
  }
  return help;
}

// "a, b, c", each line starting with `indent`, broken into lines of at most
// 76 characters.
std::string wrappedList(const std::vector<std::string>& items, const std::string& indent) {
  std::string text;
  size_t lineStart = 0;
  for (const std::string& item : items) {
    if (text.empty()) {
      text = indent + item;
    } else if (text.size() - lineStart + 2 + item.size() > 76) {
      text += ",\n";
      lineStart = text.size();
      text += indent + item;
    } else {
      text += ", " + item;
    }
  }
  return text;
}

// `text` after two blanks, its words wrapped before column 84 (the usage's
// widest line) onto lines indented by four.
std::string wrappedEntry(const std::string& text) {
  constexpr size_t kWidth = 83;
  std::string wrapped = "  ";
  size_t lineStart = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(at, end - at);
    if (at > 0 && wrapped.size() - lineStart + 1 + word.size() > kWidth) {
      wrapped += "\n";
      lineStart = wrapped.size();
      wrapped += "    ";
    } else if (at > 0) {
      wrapped += ' ';
    }
    wrapped += word;
    at = end + 1;
  }
  return wrapped + "\n";
}

// On/off options with no words of their own share one entry.
bool sharesTheOnOffEntry(const Option& option) {
  return option.values == OptionValues::OnOff && option.usage == nullptr;
}

std::string usageEntry(const Option& option) {
  if (option.values == OptionValues::DisplayMode) {
    std::vector<std::string> names;
    for (const OptionValue& value : valuesOf(option)) names.push_back(value.name);
    return "  " + std::string(option.name) + ": one of\n" + wrappedList(names, "    ") + "\n";
  }
  std::string text = std::string(option.name) + ": " + valueList(option, ", ", " or ");
  if (option.usage != nullptr) text += std::string(", ") + option.usage;
  return wrappedEntry(text);
}

// "two", "three": how many options the text file keeps, in words.
std::string countInWords(size_t count) {
  const char* const kWords[] = {"no", "one", "two", "three", "four", "five", "six"};
  return count < sizeof kWords / sizeof kWords[0] ? kWords[count] : std::to_string(count);
}

}  // namespace

std::string settingOptionsHelp() {
  // The settings file's options before the text file's; of each, those
  // with values of their own first, then the switches, then the rest.
  std::string text;
  for (OptionStore store : {OptionStore::SettingsFile, OptionStore::TextFile}) {
    for (CommandLineForm::Kind kind :
         {CommandLineForm::Combined, CommandLineForm::Switch, CommandLineForm::Valued}) {
      for (const Option& option : optionTable()) {
        const CommandLineForm& form = option.commandLine;
        if (option.field.store != store || form.kind != kind) continue;
        text += helpEntry(synopsis(form, option), helpText(form, option));
      }
    }
  }
  return text;
}

std::string settingNamesUsage() {
  std::vector<std::string> onOff;
  std::string entries;
  size_t inTextFile = 0;
  for (const Option& option : optionTable()) {
    if (sharesTheOnOffEntry(option)) onOff.push_back(option.name);
    else entries += usageEntry(option);
    if (option.field.store == OptionStore::TextFile) inTextFile += 1;
  }
  return wrappedList(onOff, "  ") + ": on or off\n" + entries + "The last " +
         countInWords(inTextFile) + " are kept in " + kExtraSettingsFileName +
         " beside the settings file.\n";
}

std::string textFileOptionNames() {
  std::vector<std::string> names;
  for (const Option& option : optionTable()) {
    if (option.field.store == OptionStore::TextFile) names.push_back(option.name);
  }
  return joinedNames(names, ", ", " and ");
}
