#include "tools/config/extra_settings_file.h"

#include <unistd.h>

#include <cerrno>

#include "platform/replace_file.h"
#include "tools/config/settings_writer.h"

namespace {

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

std::string extraSettingsPathFor(const SettingsTarget& target) {
  return target.path.empty() ? std::string() : extraSettingsFileBeside(target.path);
}

bool loadExtraSettingsFor(const SettingsTarget& target, ExtraSettings& extras,
                          std::string& problem) {
  extras = ExtraSettings();
  std::string own = extraSettingsPathFor(target);
  if (!own.empty() && exists(own)) {
    if (readExtraSettingsFile(own, extras)) return true;
    problem = "cannot read " + own;
    return false;
  }
  if (target.scope == SettingsScope::User) {
    readExtraSettingsFile(extraSettingsFileBeside(settingsFileFor(SettingsScope::Machine)), extras);
  }
  return true;
}

bool isExtraSettingName(const std::string& name) {
  return name == kTimeOfDayKey || name == kSnowfallKey;
}

std::string describeExtraSettings(const ExtraSettings& extras) {
  return std::string(kTimeOfDayKey) + "=" + (extras.timeOfDay ? "on" : "off") + "\n" +
         kSnowfallKey + "=" + snowfallName(extras.snowfall) + "\n";
}

bool writeExtraSettingsFile(const std::string& path, const ExtraSettings& extras,
                            std::string& problem) {
  std::string text = encodeExtraSettings(extras);
  if (replaceFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size())) return true;
  problem = describeWriteFailure(path, errno);
  return false;
}
