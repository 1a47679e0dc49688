#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "tools/config/settings_target.h"

// The configuration program's script form, which needs no display:
//   --show                  prints every option as name=value
//   --set name=value ...    changes options and writes the settings file
//   --help                  prints the usage
// `arguments` come after the program's name, without --system, which
// chose the target. Returns the exit status: 0 done, 1 the file could not
// be read or written (old file kept), 2 a usage mistake (nothing written).
// A settings file that exists but cannot be read is never replaced.
int runConfigCommand(const std::vector<std::string>& arguments, const SettingsTarget& target,
                     std::ostream& out, std::ostream& err);

// Removes every "--system" from `arguments`; true when there was one.
bool takeSystemOption(std::vector<std::string>& arguments);

// The usage text, also shown when the dialog cannot open.
std::string configUsage();

// The name the program goes by in its messages.
constexpr const char* kConfigProgramName = "halvenrode-config";
