#pragma once
#include <string>

// The saver's --help entries of the settings options: "  --clock=..." and
// what it does, each entry ending with a newline.
std::string settingOptionsHelp();

// halvenrode-config's usage lines of the options it sets, as name=value,
// and which of them the text file keeps.
std::string settingNamesUsage();

// The names of the options the text file keeps: "time-of-day, snow and
// overlays".
std::string textFileOptionNames();
