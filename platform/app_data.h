#pragma once
#include <string>

// The machine-wide application-data folder: the first folder of
// XDG_CONFIG_DIRS, /etc/xdg when that is unset. With `create` the folder is
// made when missing and possible. Returns the folder without a trailing
// separator; false when no folder could be named.
bool commonAppDataFolder(std::string& folder, bool create);
