#pragma once
#include <string>
#include <vector>

#include "app/extra_settings.h"
#include "app/options/command_line_options.h"
#include "app/settings.h"

// The options of one run: the binary settings file's and the text file's,
// with the command line's overrides laid over both.
struct RunSettings {
  Settings settings;
  ExtraSettings extras;
};

// Every run reads its options this one way: the first of `settingsFiles`
// that can be read, the first text file beside one of them that can be
// read, each else its defaults, then the command line. The saver passes
// runSettingsFiles(); a renderer (halvenrode-still, the soak, the
// benchmarks) the one file it was given, or none for the defaults.
RunSettings readRunSettingsFrom(const std::vector<std::string>& settingsFiles,
                                const SettingOverrides& overrides);
