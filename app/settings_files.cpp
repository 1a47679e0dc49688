#include "app/settings_files.h"

#include "platform/app_data.h"
#include "platform/paths.h"

std::string settingsFileFor(SettingsScope scope) {
  if (scope == SettingsScope::Machine) return nativePath(settingsFilePath());
  std::string folder;
  if (!userConfigFolder(folder)) return std::string();
  return folder + "/" + kSettingsFileName;
}

std::vector<std::string> runSettingsFiles() {
  std::vector<std::string> files;
  for (SettingsScope scope : {SettingsScope::User, SettingsScope::Machine}) {
    std::string path = settingsFileFor(scope);
    if (!path.empty()) files.push_back(path);
  }
  return files;
}

Settings readRunSettings(const std::vector<std::string>& files, std::string& source) {
  for (const std::string& path : files) {
    // A file that cannot be read (missing, not a regular file, too large)
    // counts as none.
    Settings settings;
    if (readSettingsFile(path, settings) != FileRead::Done) continue;
    source = path;
    return settings;
  }
  source.clear();
  return Settings();
}
