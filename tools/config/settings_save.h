#pragma once
#include <string>

#include "app/extra_settings.h"
#include "tools/config/settings_target.h"

// Saves the target's settings file and the text file beside it as one
// change; a null pointer leaves that file as it is. Both new files are
// written and made durable beside the old ones before either is put in
// place, so a failed write (a full disk, a file-size limit, an I/O error)
// changes neither. Should the second file then refuse to be put in place
// after the first went in, `problem` says so: it names the file that
// failed and why, and the file that was changed all the same. The caller
// holds the settings lock. False, with `problem` in one line, on failure.
bool saveTargetFiles(const SettingsTarget& target, const Settings* settings,
                     const ExtraSettings* extras, std::string& problem);
