#include "app/settings_files.h"

#include <fstream>

#include "platform/app_data.h"
#include "platform/paths.h"

std::string settingsFileFor(SettingsScope scope) {
  if (scope == SettingsScope::Machine) return nativePath(settingsFilePath());
  std::string folder;
  if (!userConfigFolder(folder)) return std::string();
  return folder + "/" + kSettingsFileName;
}

Settings readRunSettings(std::string& source) {
  for (SettingsScope scope : {SettingsScope::User, SettingsScope::Machine}) {
    std::string path = settingsFileFor(scope);
    if (path.empty()) continue;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) continue;
    source = path;
    return Settings(in);
  }
  source.clear();
  return Settings();
}
