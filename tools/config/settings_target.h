#pragma once
#include <string>

#include "app/settings_files.h"

// The settings file the configuration program edits: the user's own by
// default, the machine-wide one with --system.
struct SettingsTarget {
  SettingsScope scope = SettingsScope::User;
  std::string path;  // the file that is written; empty when it cannot be named
};

// The file of `scope` (see settingsFileFor); nothing is read yet.
SettingsTarget settingsTargetFor(SettingsScope scope);

// One sentence for people: whose settings these are and where they live.
std::string describeTarget(const SettingsTarget& target);

// The settings the target starts from (see loadSettingsFile): its own
// file when that exists at the moment of reading, else, for a user, the
// machine-wide file, which is what the saver shows them until then. Only
// the file that is to be written must be readable when it exists: a user
// without a file of their own whose machine-wide file cannot be read
// starts from the defaults, which is what the saver shows them. False,
// with `problem` naming the file and why, otherwise.
bool loadTargetSettings(const SettingsTarget& target, Settings& settings, std::string& problem);

// Makes the folder that is to hold the target's file when it is missing.
// False, with `problem` naming the folder and why, when it cannot be made:
// the error of that attempt says more than the later write's "missing".
bool prepareTargetFolder(const SettingsTarget& target, std::string& problem);
