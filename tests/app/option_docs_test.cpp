// The option table against what users read: both man pages list exactly
// its options, with the same spellings, values and defaults, and the
// daemon's description of the saver (halvenrode.xml) offers the options
// the table marks, each control starting at the saver's default.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/options/command_line_options.h"
#include "app/options/option_help.h"
#include "app/options/option_table.h"
#include "app/options/option_values.h"
#include "app/saver_command.h"

namespace {

std::string fileText(const char* path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The words of a macro line, quotes removed.
std::vector<std::string> macroArguments(const std::string& line) {
  std::vector<std::string> words;
  std::regex word("\"([^\"]*)\"|(\\S+)");
  for (std::sregex_iterator it(line.begin(), line.end(), word), end; it != end; ++it) {
    words.push_back((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
  }
  return words;
}

// A line of a man page as it reads: font macros and escapes left out.
std::string plainLine(const std::string& line) {
  std::string text = line;
  if (!line.empty() && line[0] == '.') {
    std::vector<std::string> words = macroArguments(line);
    // .BR, .IR, .BI and the like alternate fonts with no blanks between.
    bool alternating = std::regex_match(words[0], std::regex("\\.(BR|RB|BI|IB|IR|RI)"));
    text.clear();
    for (size_t i = 1; i < words.size(); ++i) {
      text += (i > 1 && !alternating ? " " : "") + words[i];
    }
  }
  text = std::regex_replace(text, std::regex("\\\\f[BIRP]"), "");
  return std::regex_replace(text, std::regex("\\\\-"), "-");
}

struct Entry {
  std::string tag;
  std::string body;
};

// The tagged paragraphs (.TP) of the section `heading` (.SH or .SS), up to
// the next section or untagged paragraph.
std::vector<Entry> entriesOf(const std::string& page, const std::string& heading) {
  std::vector<Entry> entries;
  std::istringstream lines(page.substr(page.find(heading + "\n") + heading.size() + 1));
  bool tagNext = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(".SH", 0) == 0 || line.rfind(".SS", 0) == 0 || line == ".PP") break;
    if (line == ".TP") {
      entries.emplace_back();
      tagNext = true;
    } else if (tagNext) {
      entries.back().tag = plainLine(line);
      tagNext = false;
    } else if (!entries.empty()) {
      entries.back().body += plainLine(line) + " ";
    }
  }
  return entries;
}

// What an entry must say: its values in its tag ("--snow=none|light") or
// its text, and its default.
struct Expected {
  std::vector<std::string> values;
  bool valuesInTag = false;
  std::string defaultValue;
};

// The spellings an entry's tag names, with what follows '=' apart:
// "--24-hour, --12-hour" or "--snow=none|light".
std::set<std::string> tagSpellings(const std::string& tag, std::vector<std::string>& values) {
  std::set<std::string> spellings;
  std::istringstream items(tag);
  for (std::string item; std::getline(items >> std::ws, item, ',');) {
    size_t equals = item.find('=');
    spellings.insert(item.substr(0, equals));
    std::istringstream listed(equals == std::string::npos ? "" : item.substr(equals + 1));
    for (std::string value; std::getline(listed, value, '|');) values.push_back(value);
  }
  return spellings;
}

// The command line's default: the switch or value a run without settings
// files has.
std::string commandLineDefault(const Option& option) {
  const CommandLineForm& form = option.commandLine;
  if (form.kind == CommandLineForm::Switch) return option.defaultValue ? form.word : form.offWord;
  if (form.kind == CommandLineForm::Valued) return valueName(option, option.defaultValue);
  for (const CombinedChoice& choice : form.choices) {
    bool defaults = true;
    for (const auto& set : choice.sets) {
      defaults &= findOption(set.first)->defaultValue == set.second;
    }
    if (defaults) return choice.value;
  }
  return "";
}

// The saver's page lists each command-line form by its spellings.
std::map<std::set<std::string>, Expected> saverPageEntries() {
  std::map<std::set<std::string>, Expected> expected;
  for (const Option& option : optionTable()) {
    const CommandLineForm& form = option.commandLine;
    if (form.kind == CommandLineForm::None) continue;
    std::set<std::string> spellings = {form.word};
    if (form.kind == CommandLineForm::Switch) spellings.insert(form.offWord);
    if (form.singleDash) spellings.insert({form.word + 1, form.offWord + 1});
    Expected& entry = expected[spellings];
    if (form.kind != CommandLineForm::Switch) entry.values = commandLineValues(option);
    entry.valuesInTag = form.placeholder == nullptr;
    entry.defaultValue = commandLineDefault(option);
  }
  return expected;
}

// The settings program's page lists each option by its name.
std::map<std::set<std::string>, Expected> configPageEntries() {
  std::map<std::set<std::string>, Expected> expected;
  for (const Option& option : optionTable()) {
    Expected& entry = expected[{option.name}];
    if (option.values != OptionValues::OnOff) {
      for (const OptionValue& value : valuesOf(option)) entry.values.push_back(value.name);
    }
    entry.defaultValue = valueName(option, option.defaultValue);
  }
  return expected;
}

TEST(OptionDocs, ManPagesListEveryOptionWithItsValuesAndDefault) {
  const struct {
    const char* file;
    const char* section;
    std::map<std::set<std::string>, Expected> expected;
  } pages[] = {{SAVER_MAN_PAGE, ".SH OPTIONS", saverPageEntries()},
               {CONFIG_MAN_PAGE, ".SH SETTINGS", configPageEntries()}};
  for (const auto& page : pages) {
    const std::string text = fileText(page.file);
    ASSERT_NE(text.find(page.section), std::string::npos) << page.file;
    std::set<std::set<std::string>> listed;
    for (const Entry& entry : entriesOf(text, page.section)) {
      std::vector<std::string> tagValues;
      std::set<std::string> spellings = tagSpellings(entry.tag, tagValues);
      auto found = page.expected.find(spellings);
      if (found == page.expected.end()) {
        ADD_FAILURE() << page.file << " lists \"" << entry.tag << "\", which is no option";
        continue;
      }
      EXPECT_TRUE(listed.insert(spellings).second) << page.file << " lists it twice: " << entry.tag;
      const Expected& want = found->second;
      if (want.valuesInTag) {
        EXPECT_EQ(tagValues, want.values) << page.file << ": " << entry.tag;
      }
      for (const std::string& value : want.values) {
        bool named = want.valuesInTag ||
                     std::regex_search(entry.body, std::regex("(^|[ (])" + value + "[ ,.)]"));
        EXPECT_TRUE(named) << page.file << ": " << entry.tag << " does not name " << value;
      }
      EXPECT_NE(entry.body.find("The default is " + want.defaultValue + ". "), std::string::npos)
          << page.file << ": " << entry.tag << " should say the default is "
          << want.defaultValue << ", says: " << entry.body;
    }
    for (const auto& option : page.expected) {
      EXPECT_EQ(listed.count(option.first), 1u)
          << page.file << " leaves out " << *option.first.begin();
    }
  }
}

// Both usage texts name every option: the saver's --help each command-line
// form at the start of an entry, halvenrode-config's each name.
TEST(OptionDocs, UsageTextsNameEveryOption) {
  const std::string saver = "\n" + settingOptionsHelp();
  const std::string config = settingNamesUsage();
  for (const Option& option : optionTable()) {
    EXPECT_TRUE(std::regex_search(config, std::regex(std::string(" ") + option.name + "[,:]")))
        << option.name;
    if (option.commandLine.kind == CommandLineForm::None) continue;
    EXPECT_TRUE(std::regex_search(saver, std::regex(std::string("\n  ") + option.commandLine.word +
                                                    "[=,]")))
        << option.commandLine.word;
  }
}

// The option a command-line word belongs to, and the value it gives:
// "--snow=light" gives light, a switch's word itself.
const Option* optionOfWord(const std::string& word, std::string& value) {
  for (const Option& option : optionTable()) {
    const CommandLineForm& form = option.commandLine;
    if (form.kind == CommandLineForm::Switch && (word == form.word || word == form.offWord)) {
      value = word;
      return &option;
    }
    std::string prefix = form.word != nullptr ? std::string(form.word) + "=" : "";
    if (form.kind != CommandLineForm::Switch && !prefix.empty() && word.rfind(prefix, 0) == 0) {
      value = word.substr(prefix.size());
      return &option;
    }
  }
  return nullptr;
}

// A select's entries give every value of one option, the one without an
// argument its default; a check box's argument is the switch's other word.
// Every argument is one the saver takes.
TEST(OptionDocs, HostDialogOffersItsOptionsStartingAtTheirDefaults) {
  const std::string xml = fileText(HOST_CONFIG_FILE);
  ASSERT_NE(xml.find("<command arg=\"--root\"/>"), std::string::npos) << HOST_CONFIG_FILE;
  const std::regex argument("\\s(arg-set|arg-unset)=\"([^\"]*)\"");
  std::set<std::string> offered;
  auto controlOf = [&](const std::string& word, std::string& value) {
    SaverCommand parsed = readSaverCommand(commandWords(word));
    EXPECT_EQ(parsed.request, SaverRequest::Run) << word << ": " << parsed.problem;
    const Option* option = optionOfWord(word, value);
    EXPECT_NE(option, nullptr) << word << " is no option of the table";
    if (option != nullptr) offered.insert(option->name);
    return option;
  };
  const std::regex select("<select[^>]*>([\\s\\S]*?)</select>"), entry("<option[^>]*>");
  for (std::sregex_iterator it(xml.begin(), xml.end(), select), end; it != end; ++it) {
    const std::string entries = (*it)[1];
    std::set<const Option*> options;
    std::vector<std::string> values;
    for (std::sregex_iterator e(entries.begin(), entries.end(), entry); e != end; ++e) {
      std::smatch arg;
      const std::string text = e->str();
      std::string value;
      if (!std::regex_search(text, arg, argument)) {
        values.push_back("(default)");
        continue;
      }
      options.insert(controlOf(arg[2], value));
      values.push_back(value);
    }
    ASSERT_EQ(options.size(), 1u) << "one option per select: " << entries;
    const Option& option = **options.begin();
    std::vector<std::string> expected = commandLineValues(option);
    for (std::string& value : expected) {
      if (value == commandLineDefault(option)) value = "(default)";
    }
    EXPECT_EQ(std::multiset<std::string>(values.begin(), values.end()),
              std::multiset<std::string>(expected.begin(), expected.end()))
        << option.name;
  }
  const std::regex box("<boolean[^>]*>");
  for (std::sregex_iterator it(xml.begin(), xml.end(), box), end; it != end; ++it) {
    std::smatch arg;
    const std::string text = it->str();
    ASSERT_TRUE(std::regex_search(text, arg, argument)) << text;
    std::string word;
    const Option* option = controlOf(arg[2], word);
    if (option != nullptr) {
      EXPECT_NE(word, commandLineDefault(*option)) << text;
    }
  }
  std::set<std::string> marked;
  for (const Option& option : optionTable()) {
    if (option.commandLine.hostDialog) marked.insert(option.name);
  }
  EXPECT_EQ(offered, marked) << "the description offers other options than the table marks";
}

}  // namespace
