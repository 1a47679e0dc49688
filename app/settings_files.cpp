#include "app/settings_files.h"

#include <fstream>

#include "platform/app_data.h"

// Naming a file creates nothing: only writing the settings makes folders.
std::string settingsFileFor(SettingsScope scope) {
  std::string folder;
  bool named = scope == SettingsScope::Machine ? commonAppDataFolder(folder, false)
                                               : userConfigFolder(folder);
  return named ? folder + "/" + kSettingsFileName : std::string();
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
