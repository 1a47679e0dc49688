#pragma once
#include <string>

#include "app/picture_views.h"
#include "landscape/snowfall.h"
#include "platform/regular_file.h"

// The options the binary settings file has no room for (its layout is
// fixed, and other readers rely on it). They live in a small text file of
// "key = value" lines beside it, read after it and overridden by the
// command line.
struct ExtraSettings {
  bool timeOfDay = false;  // light follows the local time of day
  Snowfall snowfall = Snowfall::None;
  // With several monitors, each shows the whole scene, and by default
  // each its own clock, calendar and counter, as under a host that starts
  // one saver per monitor.
  OverlayMonitors overlayMonitors = OverlayMonitors::Every;
};

// The run's extra settings, read by the scene assembly.
extern ExtraSettings extraSettings;

// The text file's name, the same in every folder that may hold one.
constexpr const char* kExtraSettingsFileName = "halvenrode.conf";

// The keys of the text file, also the settings program's option names.
constexpr const char* kTimeOfDayKey = "time-of-day";
constexpr const char* kSnowfallKey = "snow";
constexpr const char* kOverlayMonitorsKey = "overlays";

// "none", "light", "steady", "heavy"; parsing takes exactly those.
const char* snowfallName(Snowfall snowfall);
bool parseSnowfall(const std::string& text, Snowfall& snowfall);

// "every-monitor", "primary-monitor"; parsing takes exactly those.
const char* overlayMonitorsName(OverlayMonitors overlays);
bool parseOverlayMonitors(const std::string& text, OverlayMonitors& overlays);

// "on", "yes", "true", "1" and "off", "no", "false", "0".
bool parseOnOff(const std::string& text, bool& on);

// Applies one "key = value" (blanks around both allowed). False, with the
// settings unchanged and `problem` set, for an unknown key or bad value.
bool applyExtraSetting(const std::string& line, ExtraSettings& extras, std::string& problem);

// Applies every good line of a file's text; blank lines, comments (from
// '#'), unknown keys and bad values are skipped, and a later line wins. A
// UTF-8 byte-order mark at the start is skipped too.
void applyExtraSettingsText(const std::string& text, ExtraSettings& extras);

// Reads the text file at `path` over `extras`: only a regular file of at
// most 64 KiB (a file of two keys is a few dozen bytes); anything else
// leaves `extras` as it was, with the outcome and, with `why`, a few words
// on what is wrong. Never creates anything.
FileRead readExtraSettingsFile(const std::string& path, ExtraSettings& extras,
                               std::string* why = nullptr);

// The file's text for `extras`: a comment and one line per key.
std::string encodeExtraSettings(const ExtraSettings& extras);

// The text file that belongs with the settings file at `settingsPath`.
std::string extraSettingsFileBeside(const std::string& settingsPath);

// The run's extra settings: from the user's text file when there is one,
// else from the machine-wide one, else the defaults. `source` receives the
// path of the file read, empty for the defaults.
ExtraSettings readRunExtraSettings(std::string& source);
