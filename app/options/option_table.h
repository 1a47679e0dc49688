#pragma once
#include <string>
#include <vector>

#include "app/options/option.h"

// Every option a user can choose, in the order halvenrode-config shows
// them (--show, its usage and its dialog): those of the settings file
// first, then those of the text file. The saver's command line, its
// --help, the settings program and its dialog all read this table; the
// man pages and the daemon's description are checked against it.
const std::vector<Option>& optionTable();

// The option called `name` exactly; null when there is none.
const Option* findOption(const std::string& name);
