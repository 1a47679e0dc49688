#include "app/extra_settings.h"

#include <vector>

#include "app/settings_files.h"
#include "platform/paths.h"

ExtraSettings extraSettings;

namespace {

// A hand-written file of two keys is a few dozen bytes; a larger one is
// no file of ours.
constexpr uint64_t kLargestFile = 64 * 1024;
// Lines longer than this are no setting of ours and are skipped.
constexpr size_t kLongestLine = 256;
// What some editors put before the first line of a UTF-8 file.
constexpr char kByteOrderMark[] = "\xef\xbb\xbf";
constexpr size_t kByteOrderMarkSize = sizeof kByteOrderMark - 1;

const struct {
  Snowfall snowfall;
  const char* name;
} kSnowfallNames[] = {{Snowfall::None, "none"},
                      {Snowfall::Light, "light"},
                      {Snowfall::Steady, "steady"},
                      {Snowfall::Heavy, "heavy"}};

const struct {
  OverlayMonitors overlays;
  const char* name;
} kOverlayMonitorsNames[] = {{OverlayMonitors::Every, "every-monitor"},
                             {OverlayMonitors::Primary, "primary-monitor"}};

std::string trimmed(const std::string& text) {
  const char* blanks = " \t\r";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace

const char* snowfallName(Snowfall snowfall) {
  for (const auto& entry : kSnowfallNames) {
    if (entry.snowfall == snowfall) return entry.name;
  }
  return "none";
}

bool parseSnowfall(const std::string& text, Snowfall& snowfall) {
  for (const auto& entry : kSnowfallNames) {
    if (text == entry.name) {
      snowfall = entry.snowfall;
      return true;
    }
  }
  return false;
}

const char* overlayMonitorsName(OverlayMonitors overlays) {
  return overlays == OverlayMonitors::Primary ? "primary-monitor" : "every-monitor";
}

bool parseOverlayMonitors(const std::string& text, OverlayMonitors& overlays) {
  for (const auto& entry : kOverlayMonitorsNames) {
    if (text == entry.name) {
      overlays = entry.overlays;
      return true;
    }
  }
  return false;
}

bool parseOnOff(const std::string& text, bool& on) {
  for (const char* word : {"on", "yes", "true", "1"}) {
    if (text == word) return on = true, true;
  }
  for (const char* word : {"off", "no", "false", "0"}) {
    if (text == word) return on = false, true;
  }
  return false;
}

bool applyExtraSetting(const std::string& line, ExtraSettings& extras, std::string& problem) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) {
    problem = "\"" + trimmed(line) + "\" is not of the form name=value";
    return false;
  }
  std::string key = trimmed(line.substr(0, equals));
  std::string value = trimmed(line.substr(equals + 1));
  if (key == kTimeOfDayKey) {
    if (parseOnOff(value, extras.timeOfDay)) return true;
    problem = key + " takes on or off, not \"" + value + "\"";
    return false;
  }
  if (key == kSnowfallKey) {
    if (parseSnowfall(value, extras.snowfall)) return true;
    problem = key + " takes none, light, steady or heavy, not \"" + value + "\"";
    return false;
  }
  if (key == kOverlayMonitorsKey) {
    if (parseOverlayMonitors(value, extras.overlayMonitors)) return true;
    problem = key + " takes every-monitor or primary-monitor, not \"" + value + "\"";
    return false;
  }
  problem = "there is no option called \"" + key + "\"";
  return false;
}

void applyExtraSettingsText(const std::string& text, ExtraSettings& extras) {
  size_t start = 0;
  if (text.compare(0, kByteOrderMarkSize, kByteOrderMark) == 0) start = kByteOrderMarkSize;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() > kLongestLine) continue;
    line = line.substr(0, line.find('#'));
    if (trimmed(line).empty()) continue;
    std::string ignored;
    applyExtraSetting(line, extras, ignored);
  }
}

FileRead readExtraSettingsFile(const std::string& path, ExtraSettings& extras, std::string* why) {
  std::vector<uint8_t> bytes;
  FileRead outcome = readRegularFile(path, kLargestFile, bytes, why);
  if (outcome == FileRead::Done) {
    applyExtraSettingsText(std::string(bytes.begin(), bytes.end()), extras);
  }
  return outcome;
}

std::string encodeExtraSettings(const ExtraSettings& extras) {
  return std::string("# Halvenrode's options beside its settings file; halvenrode-config\n"
                     "# writes this file, and the command line overrides it.\n") +
         kTimeOfDayKey + " = " + (extras.timeOfDay ? "on" : "off") + "\n" + kSnowfallKey +
         " = " + snowfallName(extras.snowfall) + "\n" + kOverlayMonitorsKey + " = " +
         overlayMonitorsName(extras.overlayMonitors) + "\n";
}

std::string extraSettingsFileBeside(const std::string& settingsPath) {
  std::string folder = folderOfPath(nativePath(settingsPath));
  if (folder == nativePath(settingsPath)) return kExtraSettingsFileName;
  return folder + "/" + kExtraSettingsFileName;
}

ExtraSettings readRunExtraSettings(std::string& source) {
  for (SettingsScope scope : {SettingsScope::User, SettingsScope::Machine}) {
    std::string settingsPath = settingsFileFor(scope);
    if (settingsPath.empty()) continue;
    ExtraSettings extras;
    std::string path = extraSettingsFileBeside(settingsPath);
    if (readExtraSettingsFile(path, extras) == FileRead::Done) {
      source = path;
      return extras;
    }
  }
  source.clear();
  return ExtraSettings();
}
