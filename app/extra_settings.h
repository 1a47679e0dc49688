#pragma once
#include <string>
#include <vector>

#include "app/picture_views.h"
#include "landscape/snowfall.h"
#include "platform/regular_file.h"

// The options the binary settings file has no room for (its layout is
// fixed, and other readers rely on it). They live in a small text file of
// "key = value" lines beside it, read after it and overridden by the
// command line.
struct ExtraSettings {
  // Every option at its default (see app/options/option_table.cpp).
  ExtraSettings();

  bool timeOfDay;  // light follows the local time of day
  Snowfall snowfall;
  // With several monitors, whether each shows its own clock, calendar and
  // counter, as under a host that starts one saver per monitor.
  OverlayMonitors overlayMonitors;
};

// The text file's name, the same in every folder that may hold one.
constexpr const char* kExtraSettingsFileName = "halvenrode.conf";

// A name or value of the file without the blanks a person may put around
// it (spaces, tabs, and the carriage return of a file saved on Windows).
std::string withoutBlanksAround(const std::string& text);

// Applies every good "key = value" line of a file's text, blanks around
// both allowed; blank lines, comments (from '#'), keys that are no option
// of this file and bad values are skipped, and a later line wins. A UTF-8
// byte-order mark at the start is skipped too.
void applyExtraSettingsText(const std::string& text, ExtraSettings& extras);

// Reads the text file at `path` over `extras`: only a regular file of at
// most 64 KiB (a file of two keys is a few dozen bytes); anything else
// leaves `extras` as it was, with the outcome and, with `why`, a few words
// on what is wrong. Never creates anything.
FileRead readExtraSettingsFile(const std::string& path, ExtraSettings& extras,
                               std::string* why = nullptr);

// The file's text for `extras`: a comment and one line per option.
std::string encodeExtraSettings(const ExtraSettings& extras);

// The text file that belongs with the settings file at `settingsPath`.
std::string extraSettingsFileBeside(const std::string& settingsPath);

// The run's extra settings: from the text file beside the first of
// `settingsFiles` that has one that can be read, else the defaults.
// `source` receives the path of the file read, empty for the defaults.
ExtraSettings readRunExtraSettings(const std::vector<std::string>& settingsFiles,
                                   std::string& source);
