#pragma once
#include <ostream>
#include <string>
#include <vector>

// The configuration program's script form, which needs no display:
//   --show                  prints every option as name=value
//   --set name=value ...    changes options and writes the settings file
//   --help                  prints the usage
// `arguments` come after the program's name; `settingsPath` is the file's
// file-system path. Returns the exit status: 0 done, 1 the file could not
// be written (old file kept), 2 a usage mistake (nothing written).
int runConfigCommand(const std::vector<std::string>& arguments, const std::string& settingsPath,
                     std::ostream& out, std::ostream& err);

// The usage text, also shown when the dialog cannot open.
std::string configUsage();
