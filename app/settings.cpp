#include "app/settings.h"

#include <cstring>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/display_mode_table.h"
#include "app/options/option_table.h"
#include "app/settings_format.h"
#include "platform/app_data.h"

namespace {

// The saver keeps each counted string up to its first zero byte.
void cutAtFirstZero(std::string& text) { text.resize(std::strlen(text.c_str())); }

}  // namespace

Settings::Settings() { loadDefaults(); }

Settings::Settings(std::istream& in) {
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  decodeSettings(bytes, *this);
  cutAtFirstZero(opaqueField1);
  cutAtFirstZero(opaqueField2);
}

// The options' defaults come from the option table; the rest of the record
// is empty.
void Settings::loadDefaults() {
  opaqueField2.clear();
  opaqueField1.clear();
  reservedWord = 0;
  for (const Option& option : optionTable()) option.field.writeTo(*this, option.defaultValue);
}

int32_t Settings::displayRow() const {
  return displayMode >= 0 && displayMode < kDisplayModeCount ? displayMode : 0;
}

int32_t Settings::displayWidth() const { return DisplayModeTable[displayRow()].width; }
int32_t Settings::displayHeight() const { return DisplayModeTable[displayRow()].height; }
int32_t Settings::displayBitsPerPixel() const {
  return DisplayModeTable[displayRow()].bitsPerPixel;
}

FileRead readSettingsFile(const std::string& path, Settings& settings, std::string* why,
                          std::string* bytesRead) {
  std::vector<uint8_t> bytes;
  FileRead outcome = readRegularFile(path, kMaxSettingsFileBytes, bytes, why);
  std::string text(bytes.begin(), bytes.end());
  std::istringstream in(text, std::ios::binary);
  settings = outcome == FileRead::Done ? Settings(in) : Settings();
  if (bytesRead != nullptr) *bytesRead = std::move(text);
  return outcome;
}

std::string settingsFilePath() {
  std::string folder;
  // No folder at all is treated like a missing file: the name alone, which
  // nothing will have written. Naming the file creates no folder; the
  // settings program makes it when it writes.
  if (!commonAppDataFolder(folder, false)) folder.clear();
  return folder + "\\" + kSettingsFileName;
}
