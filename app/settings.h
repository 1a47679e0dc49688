#pragma once
#include <cstdint>
#include <istream>
#include <string>

#include "platform/regular_file.h"

// The user's options for one run, read from the binary settings file that
// the configuration program writes. The saver never writes it.
class Settings {
 public:
  // Every field at its default.
  Settings();
  // Reads a settings file (binary stream) as the saver does: see
  // decodeSettings, with each string kept up to its first zero byte. A file
  // that is shorter than its layout or carries an impossible byte count
  // yields the defaults.
  explicit Settings(std::istream& in);

  void loadDefaults();

  int32_t displayWidth() const;
  int32_t displayHeight() const;
  int32_t displayBitsPerPixel() const;

  uint8_t showFrameRate;
  uint8_t showClock;
  uint8_t analogClock;
  uint8_t clock24Hour;
  uint8_t largeClock;
  uint8_t showCalendar;
  uint8_t russianCalendar;
  std::string opaqueField2;
  std::string opaqueField1;
  uint8_t exitOnMouseMoveFlag;
  uint32_t reservedWord;
  int32_t displayMode;

  bool exitOnMouseMove() const { return exitOnMouseMoveFlag != 0; }

 private:
  int32_t displayRow() const;
};

// The settings file's name, the same in every folder that may hold one.
constexpr const char* kSettingsFileName = "Quorvel_Halvenrode_cfg";

// Largest settings file read: a few dozen bytes plus two strings that
// nothing of ours makes long.
constexpr uint64_t kMaxSettingsFileBytes = uint64_t{1} << 20;

// The settings kept in the file at `path` (a file-system path): its options
// when it is a regular file of at most kMaxSettingsFileBytes, else the
// defaults. Returns how the read went, so that a program that writes the
// file can refuse to replace one it could not read; `why` as for
// readRegularFile. With `bytesRead`, the file's bytes as read.
FileRead readSettingsFile(const std::string& path, Settings& settings,
                          std::string* why = nullptr, std::string* bytesRead = nullptr);

// Path of the machine-wide settings file: the machine-wide application-data
// folder followed by "\Quorvel_Halvenrode_cfg" (backslash kept; see
// nativePath).
std::string settingsFilePath();
