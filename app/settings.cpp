#include "app/settings.h"

#include <sstream>
#include <vector>

#include "app/display_mode_table.h"
#include "platform/app_data.h"

namespace {

// Binary readers that report a short read instead of leaving garbage.
bool readBytes(std::istream& in, void* target, size_t count) {
  in.read(static_cast<char*>(target), static_cast<std::streamsize>(count));
  return static_cast<size_t>(in.gcount()) == count;
}

bool readU8(std::istream& in, uint8_t& value) { return readBytes(in, &value, 1); }

bool readU32(std::istream& in, uint32_t& value) {
  uint8_t b[4];
  if (!readBytes(in, b, 4)) return false;
  value = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
          static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  return true;
}

bool readI32(std::istream& in, int32_t& value) {
  uint32_t raw;
  if (!readU32(in, raw)) return false;
  value = static_cast<int32_t>(raw);
  return true;
}

// Bytes left in the stream from the current position, or -1 if unknown.
std::streamoff bytesLeft(std::istream& in) {
  std::streampos here = in.tellg();
  if (here < 0) return -1;
  in.seekg(0, std::ios::end);
  std::streampos end = in.tellg();
  in.seekg(here);
  if (end < 0) return -1;
  return end - here;
}

// A length-prefixed string; kept up to its first zero byte. The count is
// checked against what the file still holds before anything is allocated.
bool readCountedString(std::istream& in, std::string& text) {
  int32_t count;
  if (!readI32(in, count) || count < 0) return false;
  std::streamoff left = bytesLeft(in);
  if (left < 0 || count > left) return false;
  std::vector<char> buffer(static_cast<size_t>(count) + 1, '\0');
  if (!readBytes(in, buffer.data(), static_cast<size_t>(count))) return false;
  text.assign(buffer.data());
  return true;
}

}  // namespace

Settings::Settings() { loadDefaults(); }

Settings::Settings(std::istream& in) {
  loadDefaults();
  int32_t marker;
  bool ok = readI32(in, marker);
  if (ok) ok = marker == kSettingsFormatWithOptions ? readFormat1(in) : readFormat0(in);
  if (!ok) loadDefaults();
}

void Settings::loadDefaults() {
  showFrameRate = 0;
  showClock = 1;
  analogClock = 0;
  clock24Hour = 0;
  largeClock = 1;
  showCalendar = 1;
  russianCalendar = 0;
  opaqueField2.clear();
  opaqueField1.clear();
  exitOnMouseMoveFlag = 0;
  reservedWord = 0;
  displayMode = 0;
}

bool Settings::readFormat1(std::istream& in) {
  return readCountedString(in, opaqueField1) && readCountedString(in, opaqueField2) &&
         readU8(in, exitOnMouseMoveFlag) && readU32(in, reservedWord) &&
         readI32(in, displayMode) && readU8(in, showFrameRate) && readU8(in, showClock) &&
         readU8(in, analogClock) && readU8(in, clock24Hour) && readU8(in, largeClock) &&
         readU8(in, showCalendar) && readU8(in, russianCalendar);
}

// The older layout carries no usable options: its fixed bytes are dropped,
// the defaults taken, and only the two strings kept.
bool Settings::readFormat0(std::istream& in) {
  uint8_t dropped[14];
  if (!readBytes(in, dropped, sizeof dropped)) return false;
  loadDefaults();
  return readCountedString(in, opaqueField1) && readCountedString(in, opaqueField2);
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
