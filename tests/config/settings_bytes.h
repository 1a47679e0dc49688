#pragma once
#include <cstdint>
#include <string>

#include "app/settings.h"

// Builds settings-file bytes field by field, little-endian, independently
// of the program's writer.
class SettingsBytes {
 public:
  SettingsBytes& i32(int32_t value);
  SettingsBytes& u8(uint8_t value);
  SettingsBytes& counted(const std::string& text);
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads a settings file the way the saver does.
Settings readAsSaver(const std::string& path);

std::string fileBytes(const std::string& path);
bool putFileBytes(const std::string& path, const std::string& bytes);
