#pragma once
#include <utility>
#include <vector>

#include "app/options/option_field.h"

// The values an option takes: on or off; one of a few named values; a row
// of the display-mode table (see display_mode_names.h).
enum class OptionValues { OnOff, Named, DisplayMode };

// One named value: its name wherever it is typed or written, its number in
// the record, and its text in the settings dialog's list.
struct NamedValue {
  const char* name;
  int value;
  const char* label;
};

// A named value of the enumeration an option is kept as.
template <typename Enum>
NamedValue namedValue(Enum value, const char* name, const char* label) {
  return {name, static_cast<int>(value), label};
}

// A value of a command-line option that sets several options at once:
// each by its name, to a number.
struct CombinedChoice {
  const char* value;
  std::vector<std::pair<const char*, int>> sets;
};

// How the saver's command line spells an option, and how --help explains
// it. A switch is two words, "--word" and "--off-word"; a valued option
// "--word=VALUE" or "--word VALUE" with the option's own values; a combined
// one the same with values of its own, each setting several options.
struct CommandLineForm {
  enum Kind { None, Switch, Valued, Combined };
  Kind kind = None;
  const char* word = nullptr;
  const char* offWord = nullptr;
  // Also spelled with one dash ("-fps"), as the daemon's own savers spell
  // their options.
  bool singleDash = false;
  // For values too many for the synopsis: its stand-in there ("MODE"), and
  // what a missing value should have been. The help text then lists them
  // where it says "{values}".
  const char* placeholder = nullptr;
  const char* missing = nullptr;
  std::vector<CombinedChoice> choices;
  const char* help = nullptr;
  // Offered by the daemon's settings dialog (packaging/halvenrode.xml).
  bool hostDialog = false;

  // Setters for the table's rows.
  CommandLineForm& alsoWithOneDash() {
    singleDash = true;
    return *this;
  }
  CommandLineForm& valuesInHelp(const char* standIn, const char* whenMissing) {
    placeholder = standIn;
    missing = whenMissing;
    return *this;
  }
  CommandLineForm& inHostDialog() {
    hostDialog = true;
    return *this;
  }
};

// A switch: `on` sets the option, `off` clears it.
inline CommandLineForm switchForm(const char* on, const char* off, const char* help) {
  CommandLineForm form;
  form.kind = CommandLineForm::Switch;
  form.word = on;
  form.offWord = off;
  form.help = help;
  return form;
}

// "--word=VALUE" with one of the option's own values.
inline CommandLineForm valuedForm(const char* word, const char* help) {
  CommandLineForm form;
  form.kind = CommandLineForm::Valued;
  form.word = word;
  form.help = help;
  return form;
}

// "--word=VALUE" with values of its own, each setting several options.
inline CommandLineForm combinedForm(const char* word, std::vector<CombinedChoice> choices,
                                    const char* help) {
  CommandLineForm form;
  form.kind = CommandLineForm::Combined;
  form.word = word;
  form.choices = std::move(choices);
  form.help = help;
  return form;
}

// The settings dialog's control: a check box, two radio buttons for a
// choice between two named forms (`offLabel` the "off" one's text), or a
// list of the values after `label`. Labels carry their mnemonic ("_x").
struct DialogControl {
  const char* group = nullptr;  // the frame that holds it; none: not shown
  const char* label = nullptr;
  const char* offLabel = nullptr;
};

// One option a user can choose: its name (halvenrode-config's --set and
// --show, and the text file's key), where it is kept, its values and
// default, its control in the settings dialog, its spelling on the saver's
// command line and the words that explain it. The setters below let the
// table read as one row per option.
struct Option {
  Option(const char* name, OptionField field, OptionValues values, int defaultValue)
      : name(name), field(field), values(values), defaultValue(defaultValue) {}

  // The values of a Named option, in the order lists show them.
  Option& named(std::vector<NamedValue> list) {
    namedValues = std::move(list);
    return *this;
  }
  // What the option does, after its values in halvenrode-config's usage.
  Option& explained(const char* text) {
    usage = text;
    return *this;
  }
  Option& inDialog(const char* group, const char* label, const char* offLabel = nullptr) {
    dialog = {group, label, offLabel};
    return *this;
  }
  Option& onCommandLine(CommandLineForm form) {
    commandLine = std::move(form);
    return *this;
  }

  const char* name;
  OptionField field;
  OptionValues values;
  int defaultValue;
  std::vector<NamedValue> namedValues;
  const char* usage = nullptr;
  DialogControl dialog;
  CommandLineForm commandLine;
};

