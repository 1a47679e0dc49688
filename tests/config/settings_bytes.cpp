#include "settings_bytes.h"

#include <fstream>
#include <iterator>

SettingsBytes& SettingsBytes::i32(int32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes_ += static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  }
  return *this;
}

SettingsBytes& SettingsBytes::u8(uint8_t value) {
  bytes_ += static_cast<char>(value);
  return *this;
}

SettingsBytes& SettingsBytes::counted(const std::string& text) {
  i32(static_cast<int32_t>(text.size()));
  bytes_ += text;
  return *this;
}

Settings readAsSaver(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in.is_open() ? Settings(in) : Settings();
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool putFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}
