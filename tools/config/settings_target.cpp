#include "tools/config/settings_target.h"

#include <unistd.h>

#include <cerrno>

#include "platform/app_data.h"
#include "platform/paths.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_writer.h"

namespace {

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

SettingsTarget settingsTargetFor(SettingsScope scope) {
  SettingsTarget target;
  target.scope = scope;
  target.path = settingsFileFor(scope);
  return target;
}

std::string describeTarget(const SettingsTarget& target) {
  if (target.scope == SettingsScope::Machine) {
    return "The settings of every user who has none of their own, kept in " + target.path + ".";
  }
  return "Your own settings, kept in " + target.path + ".";
}

// Which file to read is decided here, not when the target is named: under
// --set's lock, another program may have made the user's file meanwhile,
// and starting from the machine-wide file would then undo its change.
bool loadTargetSettings(const SettingsTarget& target, Settings& settings, std::string& problem) {
  if (target.scope == SettingsScope::Machine || exists(target.path)) {
    return loadSettingsFile(target.path, settings, problem);
  }
  std::string ignored;
  if (!loadSettingsFile(settingsFileFor(SettingsScope::Machine), settings, ignored)) {
    settings = Settings();
  }
  return true;
}

bool prepareTargetFolder(const SettingsTarget& target, std::string& problem) {
  // The user's configuration folder is private, as the base directory
  // rules ask; a machine-wide folder is readable by everyone.
  std::string folder = folderOfPath(target.path);
  if (createFolders(folder, target.scope == SettingsScope::User ? 0700 : 0755)) return true;
  problem = describeFolderFailure(folder, errno);
  return false;
}
