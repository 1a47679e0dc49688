#include "tools/config/settings_loader.h"

#include "app/display_mode_table.h"
#include "app/settings_format.h"

bool loadSettingsFile(const std::string& path, Settings& settings, std::string& problem) {
  std::string why, bytes;
  FileRead outcome = readSettingsFile(path, settings, &why, &bytes);
  if (outcome == FileRead::Missing) return true;
  if (outcome != FileRead::Done) {
    problem = path + " " + why;
    return false;
  }
  // Decoded again for the strings byte for byte; a file the saver rejects
  // as incomplete gives the defaults here too, with empty strings.
  decodeSettings(bytes, settings);
  if (settings.displayMode < 0 || settings.displayMode >= kDisplayModeCount) {
    settings.displayMode = 0;
  }
  return true;
}
