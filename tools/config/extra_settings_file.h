#pragma once
#include <string>

#include "app/extra_settings.h"
#include "tools/config/settings_target.h"

// The text file of options beside the settings file, as the configuration
// program edits it: the same scope as the settings file it goes with.

// The text file that is written for `target`.
std::string extraSettingsPathFor(const SettingsTarget& target);

// The options shown and changed: the target's own text file when there is
// one; for a user without one, the machine-wide one, which is what the
// saver follows until then; else the defaults. False, with `problem`
// naming the file, when the target's own file exists but cannot be read:
// replacing it would lose what it holds.
bool loadExtraSettingsFor(const SettingsTarget& target, ExtraSettings& extras,
                          std::string& problem);
