#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "tools/config/settings_target.h"

// The configuration program's script form, which needs no display:
//   --show                  prints every option as name=value
//   --set name=value ...    changes options and writes the settings file
//   --add-to-xscreensaver   puts the saver into the user's ~/.xscreensaver
//   --help, --version       print the usage, the version
// `arguments` come after the program's name, without --system, which
// chose the target. Returns the exit status: 0 done (also when the saver
// was listed already), 1 the file could not be read or written (old file
// kept), 2 a usage mistake (nothing written), which is named on stderr.
// A settings file that exists but cannot be read is never replaced.
int runConfigCommand(const std::vector<std::string>& arguments, const SettingsTarget& target,
                     std::ostream& out, std::ostream& err);

// Removes every "--system" from `arguments`; true when there was one.
bool takeSystemOption(std::vector<std::string>& arguments);

// The usage text, also shown when the dialog cannot open.
std::string configUsage();

// "halvenrode-config" and the version the saver reports too.
std::string configVersion();

// The name the program goes by in its messages.
constexpr const char* kConfigProgramName = "halvenrode-config";
