#pragma once
#include <string>

#include "app/options/option.h"

// Applies one "name=value" as halvenrode-config's --set takes it, to the
// record that keeps the option. The name must be exact; a value for the
// text file is read as that file reads it, blanks around it left out.
// Returns the option set; null, with both records unchanged and `problem`
// set, for anything else.
const Option* applyAssignment(const std::string& assignment, Settings& settings,
                              ExtraSettings& extras, std::string& problem);

// Every option as "name=value", one per line in the table's order, as
// --show prints them; each line can be given back to applyAssignment.
std::string describeOptions(const Settings& settings, const ExtraSettings& extras);
