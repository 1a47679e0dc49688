#include "tools/config/config_command.h"

#include <algorithm>

#include "app/options/option_assignments.h"
#include "app/options/option_help.h"
#include "tools/config/extra_settings_file.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_lock.h"
#include "tools/config/settings_save.h"
#include "tools/config/xscreensaver_file.h"

namespace {

constexpr int kDone = 0;
constexpr int kNotWritten = 1;
constexpr int kUsageMistake = 2;

std::ostream& complain(std::ostream& err) { return err << kConfigProgramName << ": "; }

// Applies every assignment to the file that keeps its option. All or
// nothing: one bad assignment leaves both untouched. `touched` says which
// files have an option set.
bool applyAll(const std::vector<std::string>& assignments, Settings& settings,
              ExtraSettings& extras, bool touched[2], std::ostream& err) {
  for (const std::string& assignment : assignments) {
    std::string problem;
    const Option* option = applyAssignment(assignment, settings, extras, problem);
    if (option == nullptr) {
      complain(err) << problem << "\n";
      return false;
    }
    touched[option->field.store == OptionStore::TextFile ? 1 : 0] = true;
  }
  return true;
}

// Writes only the files whose options were set, so that a user who sets
// one option of the text file keeps following the machine-wide settings
// file, and the other way round.
int setOptions(const std::vector<std::string>& assignments, const SettingsTarget& target,
               std::ostream& err) {
  if (assignments.empty()) {
    complain(err) << "--set needs at least one name=value\n";
    return kUsageMistake;
  }
  // All or nothing: one bad assignment leaves both files untouched, and is
  // found before anything is made or locked.
  Settings trial;
  ExtraSettings trialExtras;
  bool touched[2] = {false, false};
  if (!applyAll(assignments, trial, trialExtras, touched, err)) return kUsageMistake;
  std::string problem;
  if (!prepareTargetFolder(target, problem)) {
    complain(err) << problem << "\n";
    return kNotWritten;
  }
  // Read, change and write under the lock, so that a change made at the
  // same time by another program is not lost.
  SettingsLock lock(target.path);
  if (!lock.held()) {
    complain(err) << lock.problem() << "\n";
    return kNotWritten;
  }
  Settings settings;
  ExtraSettings extras;
  if ((touched[0] && !loadTargetSettings(target, settings, problem)) ||
      (touched[1] && !loadExtraSettingsFor(target, extras, problem))) {
    complain(err) << problem << "; the file was left as it is\n";
    return kNotWritten;
  }
  applyAll(assignments, settings, extras, touched, err);
  if (!saveTargetFiles(target, touched[0] ? &settings : nullptr, touched[1] ? &extras : nullptr,
                       problem)) {
    complain(err) << problem << "\n";
    return kNotWritten;
  }
  return kDone;
}

int showOptions(const SettingsTarget& target, std::ostream& out, std::ostream& err) {
  Settings settings;
  std::string problem;
  if (!loadTargetSettings(target, settings, problem)) {
    complain(err) << problem << "\n";
    return kNotWritten;
  }
  ExtraSettings extras;
  if (!loadExtraSettingsFor(target, extras, problem)) {
    complain(err) << problem << "\n";
    return kNotWritten;
  }
  out << describeOptions(settings, extras);
  return kDone;
}

// The daemon's list belongs to one user, so it is always the user's own.
int addToXScreenSaver(const SettingsTarget& target, std::ostream& out, std::ostream& err) {
  if (target.scope == SettingsScope::Machine) {
    complain(err) << "--add-to-xscreensaver changes your own ~/.xscreensaver; "
                     "it takes no --system\n";
    return kUsageMistake;
  }
  XScreenSaverAddition addition = addSaverToXScreenSaver(installedXScreenSaverFiles());
  if (addition.change == ListChange::Unusable) {
    complain(err) << addition.message << "\n";
    return kNotWritten;
  }
  out << addition.message << "\n";
  return kDone;
}

// A command that takes nothing after it, given more: names what is extra.
int extraWords(const std::vector<std::string>& arguments, std::ostream& err) {
  complain(err) << arguments[0] << " takes nothing after it, not \"" << arguments[1]
                << "\"; see " << kConfigProgramName << " --help\n";
  return kUsageMistake;
}

}  // namespace

std::string configVersion() {
  return std::string(kConfigProgramName) + " " + HALVENRODE_VERSION;
}

bool takeSystemOption(std::vector<std::string>& arguments) {
  auto end = std::remove(arguments.begin(), arguments.end(), std::string("--system"));
  bool found = end != arguments.end();
  arguments.erase(end, arguments.end());
  return found;
}

std::string configUsage() {
  return "usage: halvenrode-config [--system]                open the settings dialog\n"
         "       halvenrode-config [--system] --show         print every option\n"
         "       halvenrode-config [--system] --set name=value ...\n"
         "                                                   change options and save them\n"
         "       halvenrode-config --add-to-xscreensaver     add Halvenrode to XScreenSaver's\n"
         "                                                   programs in ~/.xscreensaver\n"
         "       halvenrode-config --help | --version\n"
         "Without --system: your own settings, in\n"
         "  " + settingsFileFor(SettingsScope::User) + "\n"
         "With --system: those of every user who has none of their own (needs root), in\n"
         "  " + settingsFileFor(SettingsScope::Machine) + "\n"
         "Options, as name=value:\n" +
         settingNamesUsage();
}

int runConfigCommand(const std::vector<std::string>& arguments, const SettingsTarget& target,
                     std::ostream& out, std::ostream& err) {
  const std::string command = arguments.empty() ? std::string() : arguments[0];
  bool known = command == "--help" || command == "-h" || command == "--version" ||
               command == "--show" || command == "--set" || command == "--add-to-xscreensaver";
  if (!known) {
    complain(err) << "unknown option \"" << command << "\"; see " << kConfigProgramName
                  << " --help\n";
    return kUsageMistake;
  }
  if (command != "--set" && arguments.size() > 1) return extraWords(arguments, err);
  if (command == "--help" || command == "-h") {
    out << configUsage();
    return kDone;
  }
  if (command == "--version") {
    out << configVersion() << "\n";
    return kDone;
  }
  if (command == "--add-to-xscreensaver") return addToXScreenSaver(target, out, err);
  if (target.path.empty()) {
    complain(err) << "there is no home folder for your own settings; use --system\n";
    return kNotWritten;
  }
  if (command == "--show") return showOptions(target, out, err);
  return setOptions(std::vector<std::string>(arguments.begin() + 1, arguments.end()), target,
                    err);
}
