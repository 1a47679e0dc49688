#pragma once
#include <string>
#include <vector>

#include "app/settings.h"

// Where the settings file lives. Each user may keep one of their own; the
// machine-wide one holds the choices for users who have none. Both have the
// same name and layout.
enum class SettingsScope { User, Machine };

// The file-system path of the settings file of `scope`: the user's in
// XDG_CONFIG_HOME (~/.config by default), the machine-wide one in the first
// folder of XDG_CONFIG_DIRS (/etc/xdg by default). Empty when the user has
// no home folder to name.
std::string settingsFileFor(SettingsScope scope);

// The settings files a run of the saver reads, in the order they count:
// the user's, then the machine-wide one (a scope without a path left out).
std::vector<std::string> runSettingsFiles();

// The settings of the first of `files` that can be read, else the defaults
// (see readSettingsFile). `source` receives the path of the file read,
// empty for the defaults.
Settings readRunSettings(const std::vector<std::string>& files, std::string& source);
