#include "tools/config/config_command.h"

#include "tools/config/option_table.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_writer.h"

namespace {

constexpr int kDone = 0;
constexpr int kNotWritten = 1;
constexpr int kUsageMistake = 2;

int setOptions(const std::vector<std::string>& assignments, const std::string& settingsPath,
               std::ostream& err) {
  if (assignments.empty()) {
    err << "config.exe: --set needs at least one name=value\n";
    return kUsageMistake;
  }
  Settings settings = loadSettingsFile(settingsPath);
  // All or nothing: one bad assignment leaves the file untouched.
  for (const std::string& assignment : assignments) {
    std::string problem;
    if (!applyAssignment(settings, assignment, problem)) {
      err << "config.exe: " << problem << "\n";
      return kUsageMistake;
    }
  }
  std::string problem;
  if (!writeSettingsFile(settingsPath, settings, problem)) {
    err << "config.exe: " << problem << "\n";
    return kNotWritten;
  }
  return kDone;
}

}  // namespace

std::string configUsage() {
  std::string text =
      "usage: config.exe                      open the settings dialog\n"
      "       config.exe --show               print every option\n"
      "       config.exe --set name=value ... change options and save them\n"
      "options:";
  for (const FlagOption& option : flagOptions()) text += std::string(" ") + option.name;
  text += std::string(" (on/off), ") + kDisplayModeOptionName + " (desktop, 640x480, ...)\n";
  return text;
}

int runConfigCommand(const std::vector<std::string>& arguments, const std::string& settingsPath,
                     std::ostream& out, std::ostream& err) {
  const std::string command = arguments.empty() ? std::string() : arguments[0];
  if (command == "--show" && arguments.size() == 1) {
    out << describeSettings(loadSettingsFile(settingsPath));
    return kDone;
  }
  if (command == "--set") {
    return setOptions(std::vector<std::string>(arguments.begin() + 1, arguments.end()),
                      settingsPath, err);
  }
  if (command == "--help" || command == "-h") {
    out << configUsage();
    return kDone;
  }
  err << configUsage();
  return kUsageMistake;
}
