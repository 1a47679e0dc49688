#include "tools/config/extra_settings_file.h"

std::string extraSettingsPathFor(const SettingsTarget& target) {
  return target.path.empty() ? std::string() : extraSettingsFileBeside(target.path);
}

bool loadExtraSettingsFor(const SettingsTarget& target, ExtraSettings& extras,
                          std::string& problem) {
  extras = ExtraSettings();
  std::string own = extraSettingsPathFor(target);
  std::string why;
  FileRead outcome = own.empty() ? FileRead::Missing : readExtraSettingsFile(own, extras, &why);
  if (outcome == FileRead::Done) return true;
  if (outcome != FileRead::Missing) {
    problem = own + " " + why;
    return false;
  }
  if (target.scope == SettingsScope::User) {
    readExtraSettingsFile(extraSettingsFileBeside(settingsFileFor(SettingsScope::Machine)), extras);
  }
  return true;
}
