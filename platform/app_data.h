#pragma once
#include <string>

// The machine-wide application-data folder: the first absolute folder of
// XDG_CONFIG_DIRS (empty and relative entries are skipped), /etc/xdg when
// there is none. With `create` the folder is made when missing and
// possible. Returns the folder without a trailing separator; false when no
// folder could be named.
bool commonAppDataFolder(std::string& folder, bool create);

// The user's own configuration folder: XDG_CONFIG_HOME when it is an
// absolute path, else ".config" in the home folder (see homeFolder).
// Nothing is created. Returns the folder without a trailing separator;
// false when there is no home folder to name.
bool userConfigFolder(std::string& folder);

// The user's home folder: HOME, or the password database's entry when HOME
// is unset, empty or relative. Empty when there is none to name.
std::string homeFolder();

// Makes `folder` and the folders above it that are missing, the new ones
// with `mode`. True when the folder exists afterwards.
bool createFolders(const std::string& folder, unsigned mode);
