#pragma once
#include <string>

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

// The settings of a run: from the user's file when it can be read, else
// from the machine-wide one, else the defaults (see readSettingsFile). `source` receives the path
// of the file read, empty for the defaults.
Settings readRunSettings(std::string& source);
